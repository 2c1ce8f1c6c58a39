#include "dw/platform/surface.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace dw::platform;

TEST(SurfaceTest, pixelsRoundTripAsColorrefAndStoreAsRgb32) {
    const Handle s = CreateSurface(4, 3);
    ASSERT_NE(s, 0u);
    EXPECT_EQ(SetPixel(s, 1, 2, 0x00804020u), 0x00804020u);
    EXPECT_EQ(GetPixel(s, 1, 2), 0x00804020u);
    SurfacePixels px;
    ASSERT_TRUE(LockSurface(s, &px));
    EXPECT_EQ(px.pixels[2 * px.stride + 1], 0xFF204080u) << "0xFFRRGGBB in memory";
    EXPECT_EQ(GetPixel(s, 0, 0), 0u) << "new surfaces are black";
    DestroySurface(s);
}

TEST(SurfaceTest, outsideReadsInvalidAndWritesNothing) {
    const Handle s = CreateSurface(2, 2);
    EXPECT_EQ(GetPixel(s, -1, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(s, 2, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(s, 0, 2), CLR_INVALID);
    EXPECT_EQ(SetPixel(s, 2, 2, 0x123456u), CLR_INVALID);
    DestroySurface(s);
}

TEST(SurfaceTest, destroyedAndUnknownHandlesNameNothing) {
    const Handle s = CreateSurface(2, 2);
    DestroySurface(s);
    EXPECT_EQ(GetPixel(s, 0, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(s, 0, 0, 1), CLR_INVALID);
    SurfacePixels px;
    EXPECT_FALSE(LockSurface(s, &px));
    EXPECT_EQ(px.pixels, nullptr);
    EXPECT_EQ(GetPixel(0, 0, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(0xFFFFFF, 0, 0), CLR_INVALID);
    EXPECT_NE(CreateSurface(1, 1), s) << "handles are not reused";
}

TEST(SurfaceTest, refusesNegativeOrAbsurdSizes) {
    EXPECT_EQ(CreateSurface(-1, 5), 0u);
    EXPECT_EQ(CreateSurface(100000, 100000), 0u);
    const Handle empty = CreateSurface(0, 0);
    EXPECT_NE(empty, 0u);
    EXPECT_EQ(GetPixel(empty, 0, 0), CLR_INVALID);
}

TEST(SurfaceTest, resizeKeepsTheHandle) {
    const Handle s = CreateSurface(1, 1);
    ASSERT_TRUE(ResizeSurface(s, 3, 2));
    SurfacePixels px;
    ASSERT_TRUE(LockSurface(s, &px));
    EXPECT_EQ(px.width, 3);
    EXPECT_EQ(px.height, 2);
    EXPECT_FALSE(ResizeSurface(s, -2, 2));
}

TEST(SurfaceTest, windowHandleGivesTheDrawingContextOfItsSurface) {
    const Handle s = CreateSurface(2, 2);
    const Handle w = CreateWindowHandle(s);
    EXPECT_EQ(GetDC(w), s);
    EXPECT_EQ(ReleaseDC(w, s), 1);
    SetPixel(GetDC(w), 0, 0, 0xFFu);
    EXPECT_EQ(GetPixel(s, 0, 0), 0xFFu);
    DestroySurface(s);
    EXPECT_EQ(GetDC(w), 0u) << "a window whose surface is gone gives no drawing context";
}

TEST(SurfaceTest, dibitsAreBottomUpBgrWithPaddedRows) {
    const Handle s = CreateSurface(3, 2);
    SetPixel(s, 0, 0, 0x0000FFu); // top-left red
    SetPixel(s, 2, 1, 0xFF0000u); // bottom-right blue
    std::vector<std::uint8_t> bits(2 * 12, 0xAA);
    ASSERT_EQ(GetDIBits(s, s, 0, 2, 3, bits.data()), 2);
    // Row 0 of the DIB is the bottom row: blue at x = 2 as B, G, R bytes.
    EXPECT_EQ(bits[6], 0xFF);
    EXPECT_EQ(bits[7], 0x00);
    EXPECT_EQ(bits[8], 0x00);
    EXPECT_EQ(bits[9], 0x00) << "padding is zero";
    // Row 1 is the top row: red at x = 0.
    EXPECT_EQ(bits[12], 0x00);
    EXPECT_EQ(bits[14], 0xFF);
    EXPECT_EQ(GetDIBits(0, s, 0, 2, 3, bits.data()), 0);
}

TEST(SurfaceTest, dibitsScansPastTheLastIntegerAreBlankRows) {
    const Handle s = CreateSurface(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            SetPixel(s, x, y, 0xFFFFFFu);
        }
    }
    // Scans from here run past the largest int; none of them is a row of the surface.
    const int start = std::numeric_limits<int>::max() - 1;
    std::vector<std::uint8_t> bits(4 * 12, 0xAA);
    ASSERT_EQ(GetDIBits(s, s, start, 4, 3, bits.data()), 4);
    EXPECT_EQ(bits, std::vector<std::uint8_t>(4 * 12, 0));
    DestroySurface(s);
}
