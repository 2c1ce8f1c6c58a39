#pragma once
// Drawing on a frame surface the way the hand renderers need it: a solid pen of a whole-pixel
// width, straight lines between integer points, circles with or without a fill, and polygon
// region fills. Nothing is antialiased; colours are 0x00BBGGRR values.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include <QImage>
#include <QPoint>
#include <QRect>

#include "dw/platform/surface.h"

class QPainter;

namespace dw::design {
class Picture;
}

namespace dw::render {

// Whether a line's last point is drawn. Thin lines leave it out on request, for callers that mark
// a single pixel with a line to the next pixel; wide lines always cover it with their round end.
enum class LineEnd { Drawn, Excluded };

class SurfacePainter {
public:
    // Paints on the surface named by a drawing context, bitmap or window handle. A handle that
    // names nothing, or an empty surface, gives a painter that draws nothing (isActive false).
    // The surface must keep its size while the painter lives: make one per frame, never keep one
    // across a yield to the event queue.
    explicit SurfacePainter(platform::Handle surface);
    explicit SurfacePainter(design::Picture& picture);
    ~SurfacePainter();

    SurfacePainter(const SurfacePainter&) = delete;
    SurfacePainter& operator=(const SurfacePainter&) = delete;

    bool isActive() const;
    int width() const { return mView.width(); }
    int height() const { return mView.height(); }

    // The width of the pen lines and circle outlines are drawn with. Widths above 1 give a solid
    // pen with round ends; a width below 1 draws as 1.
    void setPenWidth(int width);
    int penWidth() const { return mPenWidth; }

    // A straight line in the current pen width. A 1-pixel line steps from pixel to pixel and
    // draws both end points unless `end` leaves the last one out.
    void drawLine(QPoint from, QPoint to, std::int32_t colour, LineEnd end = LineEnd::Drawn);

    // A circle about a point, outlined in `colour` with the current pen width and, when a fill
    // colour is given, filled with it. A radius that is not above 0 draws nothing.
    void drawCircle(QPointF centre, double radius, std::int32_t colour,
                    std::optional<std::int32_t> fillColour = std::nullopt);

    // Fills the region of a polygon under the alternate (even-odd) rule with a solid colour; no
    // outline. Doubled edges cancel, so a path that retraces itself fills nothing.
    void fillPolygon(std::span<const QPoint> vertices, std::int32_t colour);

    // A rectangle holding every pixel drawn so far (a little more, never less), within the
    // surface; empty when nothing was drawn. A view repaints only this much.
    QRect touched() const { return mTouched; }

private:
    // Adds a rectangle in pixel coordinates, grown by what a pen of the current width covers.
    void touch(const QRect& rect);

    void drawThinLine(QPoint from, QPoint to, std::uint32_t pixel, LineEnd end);
    double farthestReach(QPointF centre) const;

    QImage mView;
    std::unique_ptr<QPainter> mPainter;
    int mPenWidth = 1;
    QRect mTouched;
};

} // namespace dw::render
