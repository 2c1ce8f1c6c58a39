#pragma once
// Frames for AVI tests: 24-bit bottom-up DIBs with rows padded to 4 bytes, distinct per seed, and
// the same pictures as top-down rows without padding, the way ffmpeg hands them back.
#include <cstdint>
#include <vector>

#include "dw/platform/surface.h"

namespace dw::testing {

inline std::size_t rowBytesOf(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

// Blue, green, red of the pixel at (x, y), y counted from the top.
inline void patternPixel(int x, int y, int seed, std::uint8_t* bgr) {
    bgr[0] = static_cast<std::uint8_t>(x * 7 + seed * 13);
    bgr[1] = static_cast<std::uint8_t>(y * 11 + seed * 3);
    bgr[2] = static_cast<std::uint8_t>(x * y + seed * 29);
}

inline std::vector<std::uint8_t> patternDib(int width, int height, int seed) {
    const std::size_t row = rowBytesOf(width);
    std::vector<std::uint8_t> dib(row * height, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = dib.data() + (height - 1 - y) * row; // bottom-up
        for (int x = 0; x < width; ++x) {
            patternPixel(x, y, seed, out + 3 * x);
        }
    }
    return dib;
}

inline std::vector<std::uint8_t> patternTopDown(int width, int height, int seed) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            patternPixel(x, y, seed, out.data() + (static_cast<std::size_t>(y) * width + x) * 3);
        }
    }
    return out;
}

// Paints the pattern of `seed` on a surface.
inline void paintPattern(dw::platform::Handle surface, int seed) {
    dw::platform::SurfacePixels px;
    if (!dw::platform::LockSurface(surface, &px)) {
        return;
    }
    for (int y = 0; y < px.height; ++y) {
        for (int x = 0; x < px.width; ++x) {
            std::uint8_t bgr[3];
            patternPixel(x, y, seed, bgr);
            px.pixels[static_cast<std::size_t>(y) * px.stride + x] =
                0xFF000000u | std::uint32_t{bgr[2]} << 16 | std::uint32_t{bgr[1]} << 8 | bgr[0];
        }
    }
}

// A surface's pixels as top-down 24-bit rows without padding.
inline std::vector<std::uint8_t> surfaceTopDown(dw::platform::Handle surface) {
    dw::platform::SurfacePixels px;
    std::vector<std::uint8_t> out;
    if (!dw::platform::LockSurface(surface, &px)) {
        return out;
    }
    for (int y = 0; y < px.height; ++y) {
        for (int x = 0; x < px.width; ++x) {
            const std::uint32_t p = px.pixels[static_cast<std::size_t>(y) * px.stride + x];
            out.push_back(static_cast<std::uint8_t>(p));
            out.push_back(static_cast<std::uint8_t>(p >> 8));
            out.push_back(static_cast<std::uint8_t>(p >> 16));
        }
    }
    return out;
}

} // namespace dw::testing
