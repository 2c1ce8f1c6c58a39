#pragma once
// Small pictures as text for pixel checks: one character per pixel, '.' for black, a letter per
// known colour, '?' for any other.
#include <map>
#include <string>

#include "dw/platform/surface.h"

namespace dw::testing {

inline std::string pixelArt(platform::Handle surface,
                            const std::map<platform::COLORREF, char>& key) {
    platform::SurfacePixels px;
    platform::LockSurface(surface, &px);
    std::string art;
    for (int y = 0; y < px.height; ++y) {
        for (int x = 0; x < px.width; ++x) {
            const platform::COLORREF c = platform::GetPixel(surface, x, y);
            const auto it = key.find(c);
            art += c == 0 ? '.' : it != key.end() ? it->second : '?';
        }
        art += '\n';
    }
    return art;
}

inline int countPixels(platform::Handle surface, platform::COLORREF colour) {
    platform::SurfacePixels px;
    platform::LockSurface(surface, &px);
    int count = 0;
    for (int y = 0; y < px.height; ++y) {
        for (int x = 0; x < px.width; ++x) {
            count += platform::GetPixel(surface, x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

} // namespace dw::testing
