#include "shell/logwindow.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace dw::shell {

namespace {

// The box keeps lines, not line ends; CR LF would show as a stray character.
QString displayed(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .replace("\r\n", "\n");
}

} // namespace

LogWindow::LogWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("frmLog");
    setWindowTitle("Log");
    mText = new QPlainTextEdit(this);
    mText->setObjectName("edtText");
    mText->setReadOnly(true);
    mText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mText->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mText);
}

void LogWindow::showText(const std::string& text) {
    if (text == mShown) {
        return;
    }
    const bool grew = !mShown.empty() && text.size() > mShown.size() &&
                      text.compare(0, mShown.size(), mShown) == 0;
    if (grew) {
        QString added = displayed(std::string_view(text).substr(mShown.size()));
        // appendPlainText starts a new block itself.
        if (added.endsWith('\n')) {
            added.chop(1);
        }
        mText->appendPlainText(added);
    } else {
        QString all = displayed(text);
        if (all.endsWith('\n')) {
            all.chop(1);
        }
        mText->setPlainText(all);
    }
    mShown = text;
    mText->verticalScrollBar()->setValue(mText->verticalScrollBar()->maximum());
}

} // namespace dw::shell
