// Rotation through the spinblit component against the rotation as written (GetPixel and
// SetPixel per pixel), on the angles the program turns bitmap hands by. Results must be
// identical; the ratio of the reference's time to the component's is printed last.
#include <cstdio>
#include <vector>

#include "benchsupport.h"
#include "pixeltestsupport.h"
#include "referencepixels.h"

namespace {

std::vector<double> bitmapAngles(int step) {
    std::vector<double> angles;
    for (int i = 0; i <= 720; i += step) {
        const int j = i < 180 ? i + 180 : i - 180;
        angles.push_back(j / 360.0 * 6.28);
    }
    return angles;
}

// Returns reference time / component time, or 0 when a result differs.
double measure(spinblit::Igdiext* gdiext, int size, int step) {
    using dw::testing::TestSurface;
    const std::vector<double> angles = bitmapAngles(step);
    TestSurface src(size, size, 1);
    TestSurface fast(size, size, 2);
    TestSurface reference(size, size, 2);
    for (double theta : angles) {
        gdiext->rotate(0, src.dc(), 0, fast.dc(), size, size, theta);
        dw::testing::referenceRotate(src.handle(), reference.handle(), size, size, theta);
        const std::string difference = dw::testing::surfaceDifference(fast, reference);
        if (!difference.empty()) {
            std::printf("%dx%d theta %.17g: results differ: %s\n", size, size, theta,
                        difference.c_str());
            return 0.0;
        }
    }
    const auto [referenceSeconds, fastSeconds] = dw::bench::bestOfTurns(
        5,
        [&] {
            for (double theta : angles) {
                dw::testing::referenceRotate(src.handle(), reference.handle(), size, size, theta);
            }
        },
        [&] {
            for (double theta : angles) {
                gdiext->rotate(0, src.dc(), 0, fast.dc(), size, size, theta);
            }
        });
    const double pixels = static_cast<double>(size) * size * angles.size();
    std::printf("%4dx%-4d %3zu angles: reference %7.1f Mpix/s, component %7.1f Mpix/s, results "
                "identical\n",
                size, size, angles.size(), pixels / referenceSeconds / 1e6,
                pixels / fastSeconds / 1e6);
    return referenceSeconds / fastSeconds;
}

} // namespace

int main() {
    spinblit::Igdiext* gdiext = dw::bench::loadGdiext();
    const double large = measure(gdiext, 1024, 40);
    const double small = measure(gdiext, 256, 8);
    gdiext->Release();
    std::printf("ratio (reference time / component time): 1024x1024 %.1fx, 256x256 %.1fx "
                "(target at least 8x)\n",
                large, small);
    return large >= 8.0 && small >= 8.0 ? 0 : 1;
}
