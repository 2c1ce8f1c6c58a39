#pragma once
// The zoom of a picture shown in a window: the steps on offer and the mapping between widget
// positions and picture pixels. Pure arithmetic, so both window kinds share it and tests need no
// widgets.
#include <array>

#include <QPointF>
#include <QRect>
#include <QSize>

namespace dw::shell {

// Zoom steps in percent, smallest first; 100 is the picture's natural size.
inline constexpr std::array<int, 7> kZoomSteps = {25, 50, 100, 200, 400, 800, 1600};
inline constexpr int kNaturalZoom = 100;
// From this zoom on, a grid one screen pixel wide separates the picture's pixels.
inline constexpr int kGridZoom = 800;

// The next step up or down from `percent` (which need not be a step); the ends stay put.
int zoomedIn(int percent);
int zoomedOut(int percent);

// The widget size that shows a picture of `natural` size at `percent`, at least 1 x 1 for a
// picture that is not empty.
QSize zoomedSize(QSize natural, int percent);

// The picture position under a widget position. At 100 % the position is passed on as it
// came, real numbers included; at any other zoom it is the whole pixel that covers it, so that
// every point of a magnified pixel reads that pixel.
QPointF pictureAt(QPointF widgetPosition, int percent);

// The widget rectangle that pixel (x, y) covers at `percent`.
QRect pixelRect(int x, int y, int percent);

// The pixels of a picture of size `natural` that a widget rectangle shows, clipped to the
// picture; empty when it shows none.
QRect pixelsUnder(QRect widgetRect, QSize natural, int percent);

// The size a scrolling view of `content` takes when it may use at most `room`: the content
// itself when it fits, else as much as fits, with room for the scroll bar (`scrollBarExtent`
// pixels) that a clipped side brings along the other side.
QSize fittedViewSize(QSize content, QSize room, int scrollBarExtent);

} // namespace dw::shell
