#pragma once
// The rotation and the transparent copy exactly as written down, one pixel at a time through
// GetPixel and SetPixel: the reference the component's fast paths must match pixel for pixel.
// Shared by the tests and the benchmarks.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "dw/platform/surface.h"

namespace dw::testing {

// A coordinate as the pixel calls take it: truncated toward zero; what does not fit an int
// (and NaN) lies outside every surface.
inline int referenceCoordinate(double v) {
    if (v > -2147483648.0 && v < 2147483648.0) {
        return static_cast<int>(v);
    }
    return std::numeric_limits<int>::min();
}

inline dw::platform::COLORREF referenceGet(dw::platform::Handle hdc, double x, double y) {
    return dw::platform::GetPixel(hdc, referenceCoordinate(x), referenceCoordinate(y));
}

inline void referenceSet(dw::platform::Handle hdc, std::int64_t x, std::int64_t y,
                         dw::platform::COLORREF c) {
    if (c == dw::platform::CLR_INVALID || x < std::numeric_limits<int>::min() ||
        x > std::numeric_limits<int>::max() || y < std::numeric_limits<int>::min() ||
        y > std::numeric_limits<int>::max()) {
        return;
    }
    dw::platform::SetPixel(hdc, static_cast<int>(x), static_cast<int>(y), c);
}

inline std::int64_t referenceHalf(std::int64_t v) {
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

inline void referenceRotate(dw::platform::Handle hdcsrc, dw::platform::Handle hdcdest,
                            std::int32_t width, std::int32_t height, double theta) {
    const std::int64_t cxs = referenceHalf(width);
    const std::int64_t cys = referenceHalf(height);
    const std::int64_t cxd = referenceHalf(width);
    const std::int64_t cyd = referenceHalf(height);
    const std::int64_t n = std::max<std::int64_t>(width, height) / 2 - 1;
    for (std::int64_t i = 0; i < n; ++i) {
        for (std::int64_t j = 0; j < n; ++j) {
            const double r = std::sqrt(static_cast<double>(i * i + j * j));
            const double phi = i == 0 ? 1.570796326795
                                      : std::atan2(static_cast<double>(j), static_cast<double>(i));
            const double psi = phi + theta;
            const double c = r * std::cos(psi);
            const double s = r * std::sin(psi);
            const double xs = static_cast<double>(cxs);
            const double ys = static_cast<double>(cys);
            const dw::platform::COLORREF p0 = referenceGet(hdcsrc, xs + c, ys + s);
            const dw::platform::COLORREF p1 = referenceGet(hdcsrc, xs - c, ys - s);
            const dw::platform::COLORREF p2 = referenceGet(hdcsrc, xs + s, ys - c);
            const dw::platform::COLORREF p3 = referenceGet(hdcsrc, xs - s, ys + c);
            referenceSet(hdcdest, cxd + i, cyd + j, p0);
            referenceSet(hdcdest, cxd - i, cyd - j, p1);
            referenceSet(hdcdest, cxd + j, cyd - i, p2);
            referenceSet(hdcdest, cxd - j, cyd + i, p3);
        }
    }
}

// Pixels outside the source have no colour and are left out, like transparent ones.
inline void referenceTransparentBlit(dw::platform::Handle hdcdest, std::int32_t nDLeft,
                                     std::int32_t nDTop, dw::platform::Handle hdcsrc,
                                     std::int32_t nLeft, std::int32_t nTop, std::int32_t nWidth,
                                     std::int32_t nHeight, std::int32_t trans) {
    for (std::int64_t y = nTop; y < std::int64_t{nTop} + nHeight; ++y) {
        for (std::int64_t x = nLeft; x < std::int64_t{nLeft} + nWidth; ++x) {
            const dw::platform::COLORREF c =
                referenceGet(hdcsrc, static_cast<double>(x), static_cast<double>(y));
            if (c != static_cast<dw::platform::COLORREF>(trans)) {
                referenceSet(hdcdest, nDLeft + x - nLeft, nDTop + y - nTop, c);
            }
        }
    }
}

} // namespace dw::testing
