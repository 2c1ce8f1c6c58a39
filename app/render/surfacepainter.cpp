#include "render/surfacepainter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygon>

#include "design/picture.h"

namespace dw::render {

namespace {

// Only the low three bytes of a colour value name a colour, as with the platform's COLORREF.
QColor colourOf(std::int32_t value) {
    const auto c = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// Wide pens are stroked about the pixel centres, so a line of odd width lies symmetrically about
// the pixels of its end points. Thin pens already address pixels by their integer coordinates.
constexpr QPointF kPixelCentre(0.5, 0.5);

// Filled discs go through a path: the painter's own aliased ellipse fill sits half a pixel off.
QPainterPath discPath(QPointF centre, double radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QImage viewOf(platform::Handle surface) {
    platform::SurfacePixels px;
    if (!platform::LockSurface(surface, &px) || px.pixels == nullptr || px.width == 0 ||
        px.height == 0) {
        return {};
    }
    return QImage(reinterpret_cast<uchar*>(px.pixels), px.width, px.height,
                  static_cast<qsizetype>(px.stride) * 4, QImage::Format_RGB32);
}

} // namespace

SurfacePainter::SurfacePainter(platform::Handle surface) : mView(viewOf(surface)) {
    if (mView.isNull()) {
        return;
    }
    mPainter = std::make_unique<QPainter>(&mView);
    mPainter->setRenderHint(QPainter::Antialiasing, false);
}

SurfacePainter::SurfacePainter(design::Picture& picture) : SurfacePainter(picture.handle()) {}

SurfacePainter::~SurfacePainter() {
    if (mPainter) {
        mPainter->end();
    }
}

bool SurfacePainter::isActive() const {
    return mPainter && mPainter->isActive();
}

void SurfacePainter::touch(const QRect& rect) {
    const int margin = mPenWidth / 2 + 2;
    mTouched |= rect.normalized().adjusted(-margin, -margin, margin, margin) & mView.rect();
}

void SurfacePainter::setPenWidth(int width) {
    mPenWidth = width < 1 ? 1 : width;
}

void SurfacePainter::drawLine(QPoint from, QPoint to, std::int32_t colour, LineEnd end) {
    if (!isActive()) {
        return;
    }
    touch(QRect(from, to));
    if (mPenWidth <= 1) {
        drawThinLine(from, to, colourOf(colour).rgb(), end);
        return;
    }
    mPainter->setBrush(Qt::NoBrush);
    if (from == to) {
        // A wide pen's round ends still make a dot of a line without length.
        mPainter->setPen(Qt::NoPen);
        mPainter->setBrush(colourOf(colour));
        mPainter->drawPath(discPath(QPointF(from) + kPixelCentre, mPenWidth / 2.0));
        return;
    }
    mPainter->setPen(QPen(colourOf(colour), mPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    mPainter->drawLine(QPointF(from) + kPixelCentre, QPointF(to) + kPixelCentre);
}

// One pixel per step along the major axis; points outside the surface are skipped.
void SurfacePainter::drawThinLine(QPoint from, QPoint to, std::uint32_t pixel, LineEnd end) {
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint p = from;
    const QRect bounds = mView.rect();
    for (;;) {
        const bool last = p == to;
        if ((!last || end == LineEnd::Drawn) && bounds.contains(p)) {
            reinterpret_cast<QRgb*>(mView.scanLine(p.y()))[p.x()] = pixel;
        }
        if (last) {
            return;
        }
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (doubled <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
}

double SurfacePainter::farthestReach(QPointF centre) const {
    const double x = std::max(std::abs(centre.x()), std::abs(centre.x() - mView.width()));
    const double y = std::max(std::abs(centre.y()), std::abs(centre.y() - mView.height()));
    return std::hypot(x, y) + mPenWidth + 2;
}

void SurfacePainter::drawCircle(QPointF centre, double radius, std::int32_t colour,
                                std::optional<std::int32_t> fillColour) {
    if (!isActive() || !(radius > 0)) {
        return;
    }
    // A circle reaching past every corner shows no outline; its fill covers the whole surface.
    // Deciding that here keeps absurd radii away from the rasteriser.
    if (radius > farthestReach(centre)) {
        if (fillColour) {
            mView.fill(colourOf(*fillColour));
            mTouched = mView.rect();
        }
        return;
    }
    // In doubles and held near the surface first: a centre far off it must not overflow.
    const auto near = [](double v, int size) {
        return static_cast<int>(std::clamp(v, -1.0, static_cast<double>(size) + 1));
    };
    const double reach = radius + 1;
    touch(QRect(QPoint(near(centre.x() - reach, width()), near(centre.y() - reach, height())),
                QPoint(near(centre.x() + reach, width()), near(centre.y() + reach, height()))));
    if (fillColour) {
        mPainter->setPen(Qt::NoPen);
        mPainter->setBrush(colourOf(*fillColour));
        mPainter->drawPath(discPath(centre + kPixelCentre, radius));
    }
    mPainter->setBrush(Qt::NoBrush);
    if (mPenWidth <= 1) {
        QPen pen(colourOf(colour));
        pen.setWidth(0); // cosmetic: one pixel, centred on the pixels like a thin line
        mPainter->setPen(pen);
        mPainter->drawEllipse(centre, radius, radius);
        return;
    }
    mPainter->setPen(QPen(colourOf(colour), mPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    mPainter->drawEllipse(centre + kPixelCentre, radius, radius);
}

// Vertices name pixel corners here, as in a platform region: a rectangle's right and bottom edges
// are not filled.
void SurfacePainter::fillPolygon(std::span<const QPoint> vertices, std::int32_t colour) {
    if (!isActive() || vertices.size() < 3) {
        return;
    }
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(vertices.size()));
    for (const QPoint& v : vertices) {
        polygon.append(v);
    }
    touch(polygon.boundingRect());
    mPainter->setPen(Qt::NoPen);
    mPainter->setBrush(colourOf(colour));
    mPainter->drawPolygon(polygon, Qt::OddEvenFill);
}

} // namespace dw::render
