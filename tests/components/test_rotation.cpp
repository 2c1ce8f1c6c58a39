// The fast rotation against the rotation as written, pixel for pixel.
#include "rotation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "pixeltestsupport.h"
#include "referencepixels.h"
#include "sourcepositions.h"

using dw::testing::referenceRotate;
using dw::testing::surfaceDifference;
using dw::testing::TestSurface;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The angles the program rotates bitmaps by: one per angle index 0..720.
std::vector<double> bitmapAngles() {
    std::vector<double> angles;
    for (int i = 0; i <= 720; ++i) {
        const int j = i < 180 ? i + 180 : i - 180;
        angles.push_back(j / 360.0 * 6.28);
    }
    return angles;
}

// Rotates a random picture into a random destination both ways; empty when they agree.
std::string compareRotation(int width, int height, double theta, std::uint32_t seed = 1) {
    TestSurface src(width, height, seed);
    TestSurface fast(width, height, seed + 1);
    TestSurface reference(width, height, seed + 1);
    spinblit::rotatePicture(src.handle(), fast.handle(), width, height, theta);
    referenceRotate(src.handle(), reference.handle(), width, height, theta);
    return surfaceDifference(fast, reference);
}

struct SizeCase {
    const char* name;
    int width;
    int height;
};

class RotationSizeTest : public ::testing::TestWithParam<SizeCase> {};

const double kAngles[] = {0.0,
                          kPi,
                          -kPi,
                          1e-12,
                          -1e-9,
                          0.3,
                          -0.7,
                          kPi / 2,
                          2 * kPi,
                          7.5,
                          -20.0,
                          100.0,
                          1e6,
                          3e7,
                          std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()};

} // namespace

TEST_P(RotationSizeTest, matchesTheWrittenRotationAtEveryAngle) {
    const SizeCase& c = GetParam();
    for (double theta : kAngles) {
        EXPECT_EQ(compareRotation(c.width, c.height, theta), "") << "theta " << theta;
    }
}

TEST_P(RotationSizeTest, matchesTheWrittenRotationWhenSourceIsDestination) {
    const SizeCase& c = GetParam();
    for (double theta : {0.0, 0.3, kPi, 2.0, -1.1}) {
        TestSurface fast(c.width, c.height, 7);
        TestSurface reference(c.width, c.height, 7);
        spinblit::rotatePicture(fast.handle(), fast.handle(), c.width, c.height, theta);
        referenceRotate(reference.handle(), reference.handle(), c.width, c.height, theta);
        EXPECT_EQ(surfaceDifference(fast, reference), "") << "theta " << theta;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, RotationSizeTest,
    ::testing::Values(
        SizeCase{"1x1", 1, 1}, SizeCase{"2x2", 2, 2}, SizeCase{"3x3", 3, 3}, SizeCase{"4x4", 4, 4},
        SizeCase{"5x5", 5, 5}, SizeCase{"6x6", 6, 6}, SizeCase{"7x7", 7, 7}, SizeCase{"8x8", 8, 8},
        SizeCase{"9x9", 9, 9}, SizeCase{"16x16", 16, 16}, SizeCase{"17x17", 17, 17},
        SizeCase{"33x33", 33, 33}, SizeCase{"60x20", 60, 20}, SizeCase{"20x60", 20, 60},
        SizeCase{"64x64", 64, 64}, SizeCase{"99x99", 99, 99}, SizeCase{"100x100", 100, 100},
        SizeCase{"101x37", 101, 37}, SizeCase{"37x101", 37, 101}, SizeCase{"128x128", 128, 128},
        SizeCase{"255x255", 255, 255}, SizeCase{"257x3", 257, 3}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

TEST(RotationTest, matchesTheWrittenRotationAtEveryBitmapHandAngle) {
    const std::vector<double> angles = bitmapAngles();
    for (const SizeCase c : {SizeCase{"", 64, 64}, SizeCase{"", 60, 20}, SizeCase{"", 20, 60},
                             SizeCase{"", 101, 101}, SizeCase{"", 256, 256}}) {
        for (std::size_t k = 0; k < angles.size(); ++k) {
            ASSERT_EQ(compareRotation(c.width, c.height, angles[k], static_cast<std::uint32_t>(k)),
                      "")
                << c.width << "x" << c.height << " angle index " << k;
        }
    }
}

TEST(RotationTest, matchesTheWrittenRotationOnLargePictures) {
    const std::vector<double> angles = bitmapAngles();
    for (std::size_t k = 0; k < angles.size(); k += 45) {
        EXPECT_EQ(compareRotation(1024, 1024, angles[k]), "") << "angle index " << k;
    }
    EXPECT_EQ(compareRotation(1024, 1024, 0.0), "");
    EXPECT_EQ(compareRotation(1500, 700, 1.0), "") << "beyond the cached angle table";
}

TEST(RotationTest, sizesThatDoNotMatchTheSurfacesWriteOnlyWhereTheyReach) {
    struct Case {
        int srcW, srcH, dstW, dstH, width, height;
    };
    for (const Case c : {Case{50, 50, 30, 70, 80, 40}, Case{20, 20, 20, 20, 3000, 20},
                         Case{20, 20, 20, 20, 20, 3000}, Case{40, 40, 40, 40, -50, 40},
                         Case{10, 30, 30, 10, 30, 30}, Case{30, 30, 30, 30, 8, 8}}) {
        TestSurface src(c.srcW, c.srcH, 3);
        TestSurface fast(c.dstW, c.dstH, 4);
        TestSurface reference(c.dstW, c.dstH, 4);
        spinblit::rotatePicture(src.handle(), fast.handle(), c.width, c.height, 0.9);
        referenceRotate(src.handle(), reference.handle(), c.width, c.height, 0.9);
        EXPECT_EQ(surfaceDifference(fast, reference), "")
            << c.width << "x" << c.height << " onto " << c.dstW << "x" << c.dstH;
    }
}

TEST(RotationTest, handlesThatNameNothingAndEmptySurfacesChangeNothing) {
    TestSurface picture(40, 40, 5);
    TestSurface before(40, 40, 5);
    TestSurface empty(0, 0, 0);
    spinblit::rotatePicture(0, picture.handle(), 40, 40, 1.0);
    spinblit::rotatePicture(0xFFFFFF, picture.handle(), 40, 40, 1.0);
    spinblit::rotatePicture(empty.handle(), picture.handle(), 40, 40, 1.0);
    spinblit::rotatePicture(picture.handle(), 0, 40, 40, 1.0);
    spinblit::rotatePicture(picture.handle(), empty.handle(), 40, 40, 1.0);
    spinblit::rotatePicture(picture.handle(), picture.handle(), std::numeric_limits<int>::max(),
                            std::numeric_limits<int>::min(), 1.0);
    EXPECT_EQ(surfaceDifference(picture, before), "");
}

TEST(RotationTest, hugeSizesOnSmallSurfacesFinishQuickly) {
    TestSurface src(16, 16, 5);
    TestSurface fast(16, 16, 6);
    TestSurface reference(16, 16, 6);
    // The centre lies far outside: the only steps that can land on the surface are those
    // whose offsets reach back to it.
    spinblit::rotatePicture(src.handle(), fast.handle(), std::numeric_limits<int>::max(), 16, 0.0);
    dw::platform::SurfacePixels px;
    ASSERT_TRUE(dw::platform::LockSurface(fast.handle(), &px));
    EXPECT_EQ(px.width, 16) << "and nothing went wrong on the way";
}

TEST(RotationTest, writesOnlyTheCentralSquareOfSide2NMinus1) {
    TestSurface src(100, 100, 8);
    TestSurface dst(100, 100, 0);
    constexpr std::uint32_t kMarker = 0x12345678u;
    dst.fill(kMarker);
    spinblit::rotatePicture(src.handle(), dst.handle(), 100, 100, 0.0);
    int writtenInside = 0;
    for (int k = 0; k < 100; ++k) {
        for (int edge : {0, 1, 99}) {
            EXPECT_EQ(dst.word(edge, k), kMarker) << "column " << edge << " row " << k;
            EXPECT_EQ(dst.word(k, edge), kMarker) << "row " << edge << " column " << k;
        }
        writtenInside += dst.word(2, k) != kMarker;
        writtenInside += dst.word(98, k) != kMarker;
    }
    EXPECT_EQ(writtenInside, 2 * 97) << "columns 2 and 98, rows 2 to 98";
}

TEST(RotationTest, tinyPicturesHaveNoExtentAndWriteNothing) {
    for (auto [w, h] : {std::pair{2, 2}, std::pair{3, 3}, std::pair{3, 1}, std::pair{0, 0}}) {
        TestSurface src(4, 4, 1);
        TestSurface dst(4, 4, 2);
        TestSurface before(4, 4, 2);
        spinblit::rotatePicture(src.handle(), dst.handle(), w, h, 0.5);
        EXPECT_EQ(surfaceDifference(dst, before), "") << w << "x" << h;
    }
}

TEST(RotationTest, positiveAnglesTurnAnticlockwiseOnScreen) {
    // A white dot right of the centre ends up above it after a quarter turn.
    TestSurface src(41, 41, 0);
    TestSurface dst(41, 41, 0);
    src.fill(0xFF000000u);
    dst.fill(0xFF000000u);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            dw::platform::SetPixel(src.handle(), 30 + dx, 20 + dy, 0xFFFFFF);
        }
    }
    spinblit::rotatePicture(src.handle(), dst.handle(), 41, 41, kPi / 2);
    EXPECT_EQ(dw::platform::GetPixel(dst.handle(), 20, 10), 0xFFFFFFu) << "above the centre";
    EXPECT_EQ(dw::platform::GetPixel(dst.handle(), 20, 30), 0u) << "not below";
    EXPECT_EQ(dw::platform::GetPixel(dst.handle(), 30, 20), 0u) << "moved away";
}

// Counts the pixels of the central square (offsets up to `reach`) of `dst` that show the pixel
// of `src` at the offset times `sign`, or its neighbour one step left or up: where a rotation
// by a whole turn's fraction truncates a hair below the whole number.
int nearlyMapped(const TestSurface& src, const TestSurface& dst, int centre, int reach, int sign) {
    int mapped = 0;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const auto shown = dw::platform::GetPixel(dst.handle(), centre + dx, centre + dy);
            bool found = false;
            for (int b = 0; b <= 1; ++b) {
                for (int a = 0; a <= 1; ++a) {
                    found = found ||
                            shown == dw::platform::GetPixel(src.handle(), centre + sign * dx - a,
                                                            centre + sign * dy - b);
                }
            }
            mapped += found;
        }
    }
    return mapped;
}

TEST(RotationTest, zeroAndHalfTurnsKeepOrMirrorThePictureUpToTruncation) {
    TestSurface src(64, 64, 9);
    TestSurface same(64, 64, 10);
    TestSurface mirrored(64, 64, 10);
    spinblit::rotatePicture(src.handle(), same.handle(), 64, 64, 0.0);
    spinblit::rotatePicture(src.handle(), mirrored.handle(), 64, 64, kPi);
    EXPECT_EQ(nearlyMapped(src, same, 32, 30, +1), 61 * 61);
    EXPECT_EQ(nearlyMapped(src, mirrored, 32, 30, -1), 61 * 61);
}

TEST(RotationTest, plainRotationStaysFarInsideTheScreeningMargin) {
    // Steps are screened with i·cos theta - j·sin theta; only coordinates within the margin of
    // a whole number are computed as written. That is exact only while the screening value
    // stays well inside the margin of the written one.
    constexpr std::int64_t kExtent = 700;
    std::mt19937_64 random(11);
    std::uniform_int_distribution<std::int64_t> offset(0, kExtent - 1);
    double worstShare = 0.0;
    for (double theta : bitmapAngles()) {
        const spinblit::RotationFrame f =
            spinblit::makeRotationFrame(theta, 700, 700, kExtent, 1400, 1400, 1400);
        ASSERT_TRUE(f.screening);
        for (int k = 0; k < 3000; ++k) {
            const std::int64_t i = k < 100 ? 0 : offset(random);
            const std::int64_t j = offset(random);
            const double r = std::sqrt(static_cast<double>(i * i + j * j));
            const double phi = i == 0 ? 1.570796326795
                                      : std::atan2(static_cast<double>(j), static_cast<double>(i));
            const double psi = phi + theta;
            const double a = i == 0 ? j * std::cos(1.570796326795) : static_cast<double>(i);
            const double b = i == 0 ? j * std::sin(1.570796326795) : static_cast<double>(j);
            const double errorC = std::fabs(r * std::cos(psi) - (a * f.cosTheta - b * f.sinTheta));
            const double errorS = std::fabs(r * std::sin(psi) - (a * f.sinTheta + b * f.cosTheta));
            worstShare = std::max(worstShare, std::max(errorC, errorS) / f.margin);
        }
    }
    EXPECT_LT(worstShare, 1e-3) << "screening error as a share of the margin";
}

TEST(RotationTest, libraryCosAndSinAgreeWhetherCalledAloneOrTogether) {
    // The compiler may turn a cos and a sin of one angle into one sincos call; the rotation's
    // exactness relies on that giving the same bits.
    double (*volatile cosAlone)(double) = &::cos;
    double (*volatile sinAlone)(double) = &::sin;
    std::mt19937_64 random(12);
    std::uniform_real_distribution<double> angle(-8.0, 16.0);
    for (int k = 0; k < 500000; ++k) {
        const double psi = angle(random);
        double s = 0.0;
        double c = 0.0;
        ::sincos(psi, &s, &c);
        ASSERT_EQ(s, sinAlone(psi)) << psi;
        ASSERT_EQ(c, cosAlone(psi)) << psi;
    }
}
