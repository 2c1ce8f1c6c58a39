#include "shell/pictureboxfilter.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "design/picture.h"
#include "shell/zoomsteps.h"

namespace dw::shell {

PictureBoxFilter::PictureBoxFilter(QWidget* box, Source source)
    : QObject(box), mBox(box), mSource(std::move(source)) {
    box->installEventFilter(this);
}

QSize PictureBoxFilter::pictureSize() const {
    const design::Picture* picture = mSource ? mSource() : nullptr;
    return picture != nullptr ? QSize(picture->width(), picture->height()) : QSize();
}

void PictureBoxFilter::setZoom(int percent) {
    if (percent != mZoom) {
        mZoom = percent;
        mBox->update();
    }
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
    const QSize shown = zoomedSize(QSize(picture->width(), picture->height()), mZoom);
    if (shown.width() < mBox->width() || shown.height() < mBox->height()) {
        painter.fillRect(mBox->rect(), mBox->palette().window());
    }
    if (mZoom != kNaturalZoom) {
        paintZoomed(painter, picture->view(), static_cast<QPaintEvent*>(event)->rect());
        return true;
    }
    // A view of the picture's own pixels, copied straight in: the picture is opaque, so there
    // is nothing to blend, and a run repaints it after every frame.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture->view());
    return true;
}

void PictureBoxFilter::paintZoomed(QPainter& painter, const QImage& picture, QRect exposed) const {
    // Only the pixels under the exposed part are scaled: a large picture at 1600 % is mostly
    // out of sight.
    const QRect pixels = pixelsUnder(exposed, picture.size(), mZoom);
    if (pixels.isEmpty()) {
        return;
    }
    const QRect target(pixelRect(pixels.left(), pixels.top(), mZoom).topLeft(),
                       pixelRect(pixels.right(), pixels.bottom(), mZoom).bottomRight());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // No smooth transform: each pixel stays a sharp square.
    painter.drawImage(target, picture, pixels);
    if (mZoom < kGridZoom) {
        return;
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Grey at half strength shows on light and dark pictures alike.
    painter.setPen(QColor(128, 128, 128, 128));
    for (int x = pixels.left(); x <= pixels.right() + 1; ++x) {
        const int column = pixelRect(x, 0, mZoom).left();
        painter.drawLine(column, target.top(), column, target.bottom());
    }
    for (int y = pixels.top(); y <= pixels.bottom() + 1; ++y) {
        const int row = pixelRect(0, y, mZoom).top();
        painter.drawLine(target.left(), row, target.right(), row);
    }
}

QWidget* makePictureBox(const char* name, PictureBoxFilter::Source source, QWidget* parent,
                        PictureBoxFilter** painter) {
    auto* box = new QWidget(parent);
    box->setObjectName(name);
    box->move(0, 0);
    // Every pixel is painted from the picture, so Qt need not clear it first.
    box->setAttribute(Qt::WA_OpaquePaintEvent);
    auto* filter = new PictureBoxFilter(box, std::move(source));
    if (painter != nullptr) {
        *painter = filter;
    }
    return box;
}

} // namespace dw::shell
