#pragma once
// The marks the picture-window tools draw: the circle positioner's circle and the rectangle
// positioner's framed rectangle, one pixel wide and without antialiasing. Positions are picture
// pixels, real numbers as the mouse gives them, and may lie anywhere, on the picture or off it.
#include <cstdint>

namespace dw::design {
class Picture;
}

namespace dw::render {

// A circle outline about (x, y) in `colour` (0x00BBGGRR). A radius that is not above 0 draws
// nothing, and so does a circle that misses the picture. Never fails.
void drawToolCircle(design::Picture& picture, double x, double y, double radius,
                    std::int32_t colour);

// The six lines of the rectangle whose top-left is (x, y): its vertical and horizontal centre
// lines and its four edges, each end point drawn. Coordinates are rounded halves to even; what
// lies off the picture is left out, and a rectangle whose points do not fit 32 bits is not drawn.
void drawToolRectangle(design::Picture& picture, double x, double y, int width, int height,
                       std::int32_t colour);

} // namespace dw::render
