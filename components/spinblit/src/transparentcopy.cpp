#include "transparentcopy.h"

#include <algorithm>

namespace spinblit {

using dw::platform::SurfacePixels;

namespace {

// One row. No restrict: when source and destination share pixels the compiler keeps the
// pixel-by-pixel order (it checks for overlap before using vector code).
__attribute__((target_clones("avx2", "default"))) void
copyRow(const std::uint32_t* src, std::uint32_t* dst, std::int64_t count, std::uint32_t transRgb,
        bool transMatchesNothing) {
    for (std::int64_t x = 0; x < count; ++x) {
        const std::uint32_t rgb = src[x] & 0x00FFFFFFu;
        const bool copy = transMatchesNothing || rgb != transRgb;
        dst[x] = copy ? (0xFF000000u | rgb) : dst[x];
    }
}

} // namespace

void transparentCopy(dw::platform::Handle destination, std::int32_t destLeft, std::int32_t destTop,
                     dw::platform::Handle source, CopyRect from, std::int32_t trans) {
    SurfacePixels src;
    SurfacePixels dst;
    if (from.width <= 0 || from.height <= 0 || !dw::platform::LockSurface(source, &src) ||
        !dw::platform::LockSurface(destination, &dst)) {
        return;
    }
    // Source rectangle, clipped to the source and to where the destination can take it.
    const std::int64_t shiftX = std::int64_t{destLeft} - from.left;
    const std::int64_t shiftY = std::int64_t{destTop} - from.top;
    const std::int64_t x0 = std::max<std::int64_t>({from.left, 0, -shiftX});
    const std::int64_t x1 = std::min<std::int64_t>(
        {std::int64_t{from.left} + from.width, src.width, dst.width - shiftX});
    const std::int64_t y0 = std::max<std::int64_t>({from.top, 0, -shiftY});
    const std::int64_t y1 = std::min<std::int64_t>(
        {std::int64_t{from.top} + from.height, src.height, dst.height - shiftY});
    if (x1 <= x0 || y1 <= y0) {
        return;
    }
    // A pixel's COLORREF equals `trans` when their RGB agree and `trans` has no high byte.
    const auto t = static_cast<std::uint32_t>(trans);
    const bool transMatchesNothing = (t & 0xFF000000u) != 0;
    const std::uint32_t transRgb = dw::platform::pixelFromColorref(t) & 0x00FFFFFFu;
    for (std::int64_t y = y0; y < y1; ++y) {
        const std::uint32_t* s = src.pixels + y * src.stride + x0;
        std::uint32_t* d = dst.pixels + (y + shiftY) * dst.stride + (x0 + shiftX);
        copyRow(s, d, x1 - x0, transRgb, transMatchesNothing);
    }
}

} // namespace spinblit
