#include "shell/qthost.h"

#include <chrono>

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QStringList>
#include <QThread>

#include "dw/platform/tickcount.h"
#include "shell/compressionoptionsdialog.h"

namespace dw::shell {

QString qtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        const QString& pattern = parts[i + 1];
        // Qt takes the patterns from the brackets of the label.
        filters << (label.contains("(" + pattern + ")") ? label : label + " (" + pattern + ")");
    }
    return filters.join(";;");
}

QString qtMessageText(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n");
}

namespace {

QMessageBox::Icon qtIcon(design::MessageIcon icon) {
    switch (icon) {
    case design::MessageIcon::Information:
        return QMessageBox::Information;
    case design::MessageIcon::Critical:
        return QMessageBox::Critical;
    case design::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString startFolder(const std::string& initialDirectory) {
    return initialDirectory.empty() ? QDir::currentPath()
                                    : QString::fromStdString(initialDirectory);
}

} // namespace

QtHost::QtHost()
    : mCompressionHook([this](const platform::CompressionRequest& request) {
          return compressionDialog(request);
      }) {}

QtHost::~QtHost() = default;

QWidget* QtHost::owner() const {
    return mListener != nullptr ? mListener->dialogOwner() : nullptr;
}

void QtHost::showMessage(const std::string& text, design::MessageIcon icon) {
    showCaptionedMessage(text, kTitle, icon);
}

void QtHost::showCaptionedMessage(const std::string& text, const std::string& caption,
                                  design::MessageIcon icon) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(caption), qtMessageText(text),
                    QMessageBox::Ok, owner());
    box.setObjectName("msgBox");
    box.exec();
}

std::string QtHost::openFileDialog(const std::string& filter, const std::string& initialDirectory) {
    return QFileDialog::getOpenFileName(owner(), "Open", startFolder(initialDirectory),
                                        qtNameFilters(filter))
        .toStdString();
}

std::string QtHost::saveFileDialog(const std::string& filter, const std::string& initialDirectory) {
    return QFileDialog::getSaveFileName(owner(), "Save As", startFolder(initialDirectory),
                                        qtNameFilters(filter))
        .toStdString();
}

std::optional<design::FontChoice> QtHost::fontDialog() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, QFont(), owner(), "Font");
    if (!ok) {
        return std::nullopt;
    }
    return design::FontChoice{font.family().toStdString(), font.pointSizeF(), font.bold(),
                              font.italic()};
}

void QtHost::yield() {
    // The queue runs at least every millisecond: a run yields many times a frame, and polling
    // the window system each time would cost it more than drawing. Right after a window changed
    // the posted repaints are delivered in between, so that every frame is painted.
    const auto now = std::chrono::steady_clock::now();
    if (now - mEventsRan >= kEventInterval) {
        QCoreApplication::processEvents();
        mEventsRan = std::chrono::steady_clock::now();
    } else if (mWindowChangedSinceYield) {
        QCoreApplication::sendPostedEvents();
    }
    // A synchronised test yields over and over until its next step is due; resting a
    // millisecond there leaves the processor to others without making the clock late.
    if (!mShownSinceYield) {
        QThread::msleep(1);
    }
    mShownSinceYield = false;
    mWindowChangedSinceYield = false;
}

std::uint32_t QtHost::tickCount() {
    return platform::tickCount();
}

void QtHost::setStatusText(const std::string& panelKey, const std::string& text) {
    mShownSinceYield = true;
    if (mListener != nullptr) {
        mListener->statusTextChanged(panelKey, text);
    }
}

void QtHost::windowChanged(const std::string& windowName, design::WindowEvent event) {
    mShownSinceYield = true;
    mWindowChangedSinceYield = true;
    if (mListener != nullptr) {
        mListener->windowChanged(windowName, event);
    }
}

std::optional<platform::CompressionChoice>
QtHost::compressionDialog(const platform::CompressionRequest& request) {
    return CompressionOptionsDialog::ask(request, owner());
}

std::optional<FormValues> QtHost::optionsDialog(const FormRequest& request) {
    return OptionsForm::ask(request, owner());
}

} // namespace dw::shell
