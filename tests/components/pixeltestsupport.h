#pragma once
// Surfaces with reproducible random contents, and comparisons of whole surfaces, for the
// pixel tests of spinblit.
#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

#include "dw/platform/surface.h"

namespace dw::testing {

// A surface owned by the test; random pixel words (any high byte) from `seed`.
class TestSurface {
public:
    TestSurface(int width, int height, std::uint32_t seed)
        : mHandle(dw::platform::CreateSurface(width, height)) {
        std::mt19937 random(seed);
        dw::platform::SurfacePixels px;
        if (dw::platform::LockSurface(mHandle, &px)) {
            for (int k = 0; k < px.width * px.height; ++k) {
                px.pixels[k] = static_cast<std::uint32_t>(random());
            }
        }
    }
    ~TestSurface() { dw::platform::DestroySurface(mHandle); }
    TestSurface(const TestSurface&) = delete;
    TestSurface& operator=(const TestSurface&) = delete;

    dw::platform::Handle handle() const { return mHandle; }
    std::int32_t dc() const { return static_cast<std::int32_t>(mHandle); }

    // Makes this surface's pixels those of `other` (same size).
    void copyFrom(const TestSurface& other) {
        dw::platform::SurfacePixels a;
        dw::platform::SurfacePixels b;
        if (dw::platform::LockSurface(mHandle, &a) &&
            dw::platform::LockSurface(other.mHandle, &b) && a.width == b.width &&
            a.height == b.height) {
            std::copy_n(b.pixels, static_cast<std::size_t>(a.width) * a.height, a.pixels);
        }
    }

    void fill(std::uint32_t word) {
        dw::platform::SurfacePixels px;
        if (dw::platform::LockSurface(mHandle, &px)) {
            std::fill_n(px.pixels, static_cast<std::size_t>(px.width) * px.height, word);
        }
    }

    std::uint32_t word(int x, int y) const {
        dw::platform::SurfacePixels px;
        dw::platform::LockSurface(mHandle, &px);
        return px.pixels[static_cast<std::size_t>(y) * px.stride + x];
    }

private:
    dw::platform::Handle mHandle;
};

// Empty when both surfaces hold the same words, else how many differ and where the first is.
inline std::string surfaceDifference(const TestSurface& a, const TestSurface& b) {
    dw::platform::SurfacePixels pa;
    dw::platform::SurfacePixels pb;
    dw::platform::LockSurface(a.handle(), &pa);
    dw::platform::LockSurface(b.handle(), &pb);
    if (pa.width != pb.width || pa.height != pb.height) {
        return "sizes differ";
    }
    int count = 0;
    std::ostringstream first;
    for (int y = 0; y < pa.height; ++y) {
        for (int x = 0; x < pa.width; ++x) {
            const std::size_t k = static_cast<std::size_t>(y) * pa.width + x;
            if (pa.pixels[k] != pb.pixels[k] && count++ == 0) {
                first << std::hex << " first at (" << std::dec << x << ", " << y << "): 0x"
                      << std::hex << pa.pixels[k] << " vs 0x" << pb.pixels[k];
            }
        }
    }
    return count == 0 ? std::string() : std::to_string(count) + " pixels differ;" + first.str();
}

} // namespace dw::testing
