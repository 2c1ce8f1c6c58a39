// Transparent copy through the spinblit component against a plain copy of the same pixels
// (row by row, no colour left out), at 640x480. The ratio of the component's time to the
// plain copy's is printed last.
#include <algorithm>
#include <cstdio>

#include "benchsupport.h"
#include "pixeltestsupport.h"
#include "referencepixels.h"

int main() {
    using dw::testing::TestSurface;
    constexpr int kWidth = 640;
    constexpr int kHeight = 480;
    constexpr int kRepeats = 200;
    spinblit::Igdiext* gdiext = dw::bench::loadGdiext();

    // A picture where about half the pixels have the transparent colour.
    TestSurface src(kWidth, kHeight, 1);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if ((x / 7 + y / 5) % 2 == 0) {
                dw::platform::SetPixel(src.handle(), x, y, 0x00FF00FF);
            }
        }
    }
    TestSurface fast(kWidth, kHeight, 2);
    TestSurface reference(kWidth, kHeight, 2);
    gdiext->transparentBlit(fast.dc(), 0, 0, kWidth, kHeight, src.dc(), 0, 0, kWidth, kHeight,
                            0x00FF00FF);
    dw::testing::referenceTransparentBlit(reference.handle(), 0, 0, src.handle(), 0, 0, kWidth,
                                          kHeight, 0x00FF00FF);
    const std::string difference = dw::testing::surfaceDifference(fast, reference);
    if (!difference.empty()) {
        std::printf("results differ: %s\n", difference.c_str());
        return 1;
    }

    dw::platform::SurfacePixels from;
    dw::platform::SurfacePixels to;
    dw::platform::LockSurface(src.handle(), &from);
    dw::platform::LockSurface(reference.handle(), &to);
    const auto [copySeconds, blitSeconds] = dw::bench::bestOfTurns(
        7,
        [&] {
            for (int r = 0; r < kRepeats; ++r) {
                for (int y = 0; y < kHeight; ++y) {
                    std::copy_n(from.pixels + y * from.stride, kWidth, to.pixels + y * to.stride);
                }
            }
        },
        [&] {
            for (int r = 0; r < kRepeats; ++r) {
                gdiext->transparentBlit(fast.dc(), 0, 0, kWidth, kHeight, src.dc(), 0, 0, kWidth,
                                        kHeight, 0x00FF00FF);
            }
        });
    gdiext->Release();
    const double pixels = static_cast<double>(kWidth) * kHeight * kRepeats;
    std::printf("%dx%d: plain copy %.0f Mpix/s, transparent copy %.0f Mpix/s, results identical\n",
                kWidth, kHeight, pixels / copySeconds / 1e6, pixels / blitSeconds / 1e6);
    const double ratio = blitSeconds / copySeconds;
    std::printf("ratio (transparent copy time / plain copy time): %.2fx (target at most 2x)\n",
                ratio);
    return ratio <= 2.0 ? 0 : 1;
}
