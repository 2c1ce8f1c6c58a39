// The fast transparent copy against the copy as written, pixel for pixel.
#include "transparentcopy.h"

#include <gtest/gtest.h>

#include <limits>

#include "pixeltestsupport.h"
#include "referencepixels.h"

using dw::testing::referenceTransparentBlit;
using dw::testing::surfaceDifference;
using dw::testing::TestSurface;

namespace {

struct CopyCase {
    const char* name;
    int destLeft, destTop, left, top, width, height;
};

class TransparentCopyTest : public ::testing::TestWithParam<CopyCase> {};

// A picture with few colours, so that a transparent colour leaves out many pixels.
void paintFewColours(const TestSurface& s, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            dw::platform::SetPixel(s.handle(), x, y, ((x / 3 + y / 2) % 3) * 0x404040u + 0x10u);
        }
    }
}

} // namespace

TEST_P(TransparentCopyTest, matchesTheWrittenCopy) {
    const CopyCase& c = GetParam();
    const std::int32_t transes[] = {0x10, 0x404050, 0x01000010, -1, 0x123456};
    for (std::int32_t trans : transes) {
        TestSurface src(37, 23, 1);
        paintFewColours(src, 37, 23);
        TestSurface fast(29, 31, 2);
        TestSurface reference(29, 31, 2);
        spinblit::transparentCopy(fast.handle(), c.destLeft, c.destTop, src.handle(),
                                  {c.left, c.top, c.width, c.height}, trans);
        referenceTransparentBlit(reference.handle(), c.destLeft, c.destTop, src.handle(), c.left,
                                 c.top, c.width, c.height, trans);
        EXPECT_EQ(surfaceDifference(fast, reference), "") << "trans " << trans;
    }
}

TEST_P(TransparentCopyTest, matchesTheWrittenCopyWithinOneSurface) {
    const CopyCase& c = GetParam();
    TestSurface fast(37, 23, 3);
    paintFewColours(fast, 37, 23);
    TestSurface reference(37, 23, 3);
    reference.copyFrom(fast);
    spinblit::transparentCopy(fast.handle(), c.destLeft, c.destTop, fast.handle(),
                              {c.left, c.top, c.width, c.height}, 0x404050);
    referenceTransparentBlit(reference.handle(), c.destLeft, c.destTop, reference.handle(), c.left,
                             c.top, c.width, c.height, 0x404050);
    EXPECT_EQ(surfaceDifference(fast, reference), "");
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, TransparentCopyTest,
    ::testing::Values(
        CopyCase{"inside", 2, 3, 4, 5, 20, 15}, CopyCase{"wholeSource", 0, 0, 0, 0, 37, 23},
        CopyCase{"shiftedRight", 5, 0, 0, 0, 30, 20}, CopyCase{"shiftedLeft", 0, 0, 5, 0, 30, 20},
        CopyCase{"shiftedDown", 0, 4, 0, 0, 30, 19}, CopyCase{"shiftedUp", 0, 0, 0, 4, 30, 19},
        CopyCase{"diagonal", 1, 1, 0, 0, 36, 22}, CopyCase{"pastSourceEdges", 0, 0, -5, -4, 60, 40},
        CopyCase{"pastDestinationEdges", -7, 20, 0, 0, 37, 23},
        CopyCase{"zeroWidth", 0, 0, 0, 0, 0, 10}, CopyCase{"zeroHeight", 0, 0, 0, 0, 10, 0},
        CopyCase{"negativeSize", 0, 0, 10, 10, -5, -5},
        CopyCase{"farAway", 100000, 0, 0, 0, 37, 23}, CopyCase{"onePixel", 28, 30, 36, 22, 1, 1}),
    [](const ::testing::TestParamInfo<CopyCase>& info) { return std::string(info.param.name); });

TEST(TransparentCopyEdgeTest, transparentColourOfNoPixelCopiesWholeAndOfEveryPixelNothing) {
    TestSurface src(8, 8, 0);
    TestSurface dst(8, 8, 1);
    TestSurface before(8, 8, 1);
    src.fill(0xFF00FF00u); // green everywhere: COLORREF 0x0000FF00
    spinblit::transparentCopy(dst.handle(), 0, 0, src.handle(), {0, 0, 8, 8}, 0x0000FF00);
    EXPECT_EQ(surfaceDifference(dst, before), "");
    spinblit::transparentCopy(dst.handle(), 0, 0, src.handle(), {0, 0, 8, 8}, 0x000000FF);
    EXPECT_EQ(surfaceDifference(dst, src), "");
}

TEST(TransparentCopyEdgeTest, extremeRectanglesAndDeadHandlesAreHarmless) {
    TestSurface src(8, 8, 0);
    TestSurface dst(8, 8, 1);
    TestSurface before(8, 8, 1);
    const int big = std::numeric_limits<int>::max();
    const int small = std::numeric_limits<int>::min();
    spinblit::transparentCopy(dst.handle(), small, small, src.handle(), {big, big, big, big}, 0);
    spinblit::transparentCopy(dst.handle(), big, 0, src.handle(), {0, 0, big, 8}, 0);
    spinblit::transparentCopy(dst.handle(), 0, 0, 0, {0, 0, 8, 8}, 0);
    spinblit::transparentCopy(0, 0, 0, src.handle(), {0, 0, 8, 8}, 0);
    EXPECT_EQ(surfaceDifference(dst, before), "");
    spinblit::transparentCopy(dst.handle(), 0, 0, src.handle(), {small, small, big, big}, -1);
    EXPECT_EQ(surfaceDifference(dst, before), "") << "the rectangle ends before the source";
}
