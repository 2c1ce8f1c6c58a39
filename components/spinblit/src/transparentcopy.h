#pragma once
// A copy of a rectangle of pixels at the same size that leaves out one colour.
#include <cstdint>

#include "dw/platform/surface.h"

namespace spinblit {

struct CopyRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
};

// Copies the `from` rectangle of `source` to (destLeft, destTop) on `destination`, row by
// row from the top, each row from the left, leaving out pixels whose colour (0x00BBGGRR)
// equals `trans` as a whole 32-bit value. A zero or negative width or height copies nothing.
// Pixels outside the source are left out as well (they have no colour), and writes outside the
// destination are dropped. Source and destination may be the same surface: the result is that
// of copying pixel by pixel in that order. Never fails.
void transparentCopy(dw::platform::Handle destination, std::int32_t destLeft, std::int32_t destTop,
                     dw::platform::Handle source, CopyRect from, std::int32_t trans);

} // namespace spinblit
