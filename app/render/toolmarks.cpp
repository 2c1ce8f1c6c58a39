#include "render/toolmarks.h"

#include <algorithm>
#include <array>

#include <QPoint>

#include "design/numbertext.h"
#include "design/picture.h"
#include "design/runtimeerror.h"
#include "render/surfacepainter.h"

namespace dw::render {

namespace {

// A horizontal or vertical line, cut to the picture first: a thin line is drawn pixel by pixel,
// so an end point far off the picture would otherwise cost a step for every pixel in between.
// With both end points drawn, cutting leaves exactly the pixels that lie on the picture.
void drawAxisLine(SurfacePainter& painter, QPoint from, QPoint to, std::int32_t colour) {
    const int right = painter.width() - 1;
    const int bottom = painter.height() - 1;
    const int left = std::min(from.x(), to.x());
    const int top = std::min(from.y(), to.y());
    const int farX = std::max(from.x(), to.x());
    const int farY = std::max(from.y(), to.y());
    if (farX < 0 || left > right || farY < 0 || top > bottom) {
        return;
    }
    painter.drawLine(QPoint(std::max(left, 0), std::max(top, 0)),
                     QPoint(std::min(farX, right), std::min(farY, bottom)), colour);
}

} // namespace

void drawToolCircle(design::Picture& picture, double x, double y, double radius,
                    std::int32_t colour) {
    // Written so that a NaN anywhere also means "misses".
    const bool meetsPicture = x + radius >= 0 && x - radius <= picture.width() && y + radius >= 0 &&
                              y - radius <= picture.height();
    if (!(radius > 0) || !meetsPicture) {
        return;
    }
    SurfacePainter painter(picture);
    painter.drawCircle(QPointF(x, y), radius, colour);
}

void drawToolRectangle(design::Picture& picture, double x, double y, int width, int height,
                       std::int32_t colour) {
    QPoint topLeft, bottomRight, middle;
    try {
        topLeft = QPoint(design::toInt32(x), design::toInt32(y));
        bottomRight = QPoint(design::toInt32(x + width), design::toInt32(y + height));
        middle = QPoint(design::toInt32(x + width / 2.0), design::toInt32(y + height / 2.0));
    } catch (const design::RuntimeError&) {
        return; // a pointer that far off has nothing on the picture to frame
    }
    const int left = topLeft.x(), top = topLeft.y();
    const int right = bottomRight.x(), bottom = bottomRight.y();
    const std::array<std::array<QPoint, 2>, 6> lines{{
        {QPoint(middle.x(), top), QPoint(middle.x(), bottom)},
        {QPoint(left, middle.y()), QPoint(right, middle.y())},
        {QPoint(left, top), QPoint(right, top)},
        {QPoint(left, top), QPoint(left, bottom)},
        {QPoint(left, bottom), QPoint(right, bottom)},
        {QPoint(right, top), QPoint(right, bottom)},
    }};
    SurfacePainter painter(picture);
    for (const auto& [from, to] : lines) {
        drawAxisLine(painter, from, to, colour);
    }
}

} // namespace dw::render
