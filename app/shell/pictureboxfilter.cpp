#include "shell/pictureboxfilter.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "design/picture.h"

namespace dw::shell {

PictureBoxFilter::PictureBoxFilter(QWidget* box, Source source)
    : QObject(box), mBox(box), mSource(std::move(source)) {
    box->installEventFilter(this);
}

QSize PictureBoxFilter::pictureSize() const {
    const design::Picture* picture = mSource ? mSource() : nullptr;
    return picture != nullptr ? QSize(picture->width(), picture->height()) : QSize();
}

bool PictureBoxFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != mBox || event->type() != QEvent::Paint) {
        return false;
    }
    QPainter painter(mBox);
    const design::Picture* picture = mSource ? mSource() : nullptr;
    if (picture == nullptr || picture->isEmpty()) {
        painter.fillRect(mBox->rect(), mBox->palette().window());
        return true;
    }
    if (picture->width() < mBox->width() || picture->height() < mBox->height()) {
        painter.fillRect(mBox->rect(), mBox->palette().window());
    }
    // A view of the picture's own pixels, copied straight in: the picture is opaque, so there
    // is nothing to blend, and a run repaints it after every frame.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture->view());
    return true;
}

QWidget* makePictureBox(const char* name, PictureBoxFilter::Source source, QWidget* parent) {
    auto* box = new QWidget(parent);
    box->setObjectName(name);
    box->move(0, 0);
    // Every pixel is painted from the picture, so Qt need not clear it first.
    box->setAttribute(Qt::WA_OpaquePaintEvent);
    new PictureBoxFilter(box, std::move(source));
    return box;
}

} // namespace dw::shell
