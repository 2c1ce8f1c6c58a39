#include "render/surfacepainter.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "design/picture.h"
#include "pixelart.h"

using namespace dw::render;
using dw::design::Picture;
using dw::platform::GetPixel;
using dw::testing::countPixels;
using dw::testing::pixelArt;

namespace {

constexpr std::int32_t kRed = 0x0000FF; // red + 256 x green + 65536 x blue
constexpr std::int32_t kBlue = 0xFF0000;

std::string art(const Picture& p) {
    return pixelArt(p.handle(), {{kRed, 'r'}, {kBlue, 'b'}});
}

} // namespace

TEST(SurfacePainterTest, thinLinesDrawBothEndsInEitherDirection) {
    Picture picture(6, 4);
    {
        SurfacePainter painter(picture);
        ASSERT_TRUE(painter.isActive());
        painter.drawLine({1, 0}, {4, 3}, kRed);
        painter.drawLine({4, 0}, {1, 3}, kBlue);
    }
    EXPECT_EQ(art(picture), ".r..b.\n"
                            "..rb..\n"
                            "..br..\n"
                            ".b..r.\n");
}

TEST(SurfacePainterTest, aLineToTheNextPixelWithoutItsEndIsOnePixel) {
    Picture picture(4, 3);
    {
        SurfacePainter painter(picture);
        painter.drawLine({1, 1}, {2, 1}, kRed, LineEnd::Excluded);
        painter.drawLine({3, 2}, {3, 2}, kBlue, LineEnd::Excluded); // nothing
        painter.drawLine({0, 0}, {0, 0}, kBlue);                    // one pixel
    }
    EXPECT_EQ(art(picture), "b...\n"
                            ".r..\n"
                            "....\n");
}

TEST(SurfacePainterTest, linesLeavingTheSurfaceAreClipped) {
    Picture picture(3, 3);
    {
        SurfacePainter painter(picture);
        painter.drawLine({-32768, -32768}, {32767, 32767}, kRed);
        painter.setPenWidth(3);
        painter.drawLine({-30000, 2}, {30000, 2}, kBlue);
    }
    EXPECT_EQ(art(picture), "r..\n"
                            "bbb\n"
                            "bbb\n");
}

TEST(SurfacePainterTest, widePensAreSolidWithRoundEndsAboutThePixels) {
    Picture picture(12, 7);
    {
        SurfacePainter painter(picture);
        painter.setPenWidth(3);
        painter.drawLine({2, 3}, {9, 3}, kRed);
    }
    EXPECT_EQ(art(picture), "............\n"
                            "............\n"
                            ".rrrrrrrrrr.\n"
                            ".rrrrrrrrrr.\n"
                            ".rrrrrrrrrr.\n"
                            "............\n"
                            "............\n");
}

TEST(SurfacePainterTest, wideLineWithoutLengthIsADotAndThinWidthsDrawOnePixel) {
    Picture picture(5, 5);
    {
        SurfacePainter painter(picture);
        painter.setPenWidth(3);
        painter.drawLine({2, 2}, {2, 2}, kRed);
        painter.setPenWidth(0);
        EXPECT_EQ(painter.penWidth(), 1);
        painter.drawLine({0, 4}, {4, 4}, kBlue);
    }
    EXPECT_EQ(art(picture), ".....\n"
                            ".rrr.\n"
                            ".rrr.\n"
                            ".rrr.\n"
                            "bbbbb\n");
}

TEST(SurfacePainterTest, circlesOutlineAndFillAboutTheCentre) {
    Picture picture(9, 9);
    {
        SurfacePainter painter(picture);
        painter.drawCircle({4, 4}, 3, kRed, kBlue);
    }
    EXPECT_EQ(art(picture), ".........\n"
                            "...rrr...\n"
                            "..rbbbr..\n"
                            ".rbbbbbr.\n"
                            ".rbbbbbr.\n"
                            ".rbbbbbr.\n"
                            "..rbbbr..\n"
                            "...rrr...\n"
                            ".........\n");
}

TEST(SurfacePainterTest, wideCircleOutlineIsSymmetricAndUnfilled) {
    Picture picture(13, 13);
    {
        SurfacePainter painter(picture);
        painter.setPenWidth(3);
        painter.drawCircle({6, 6}, 4, kRed);
    }
    const auto h = picture.handle();
    EXPECT_EQ(GetPixel(h, 6, 6), 0u);
    for (int d : {3, 4, 5}) {
        SCOPED_TRACE(d);
        EXPECT_EQ(GetPixel(h, 6 - d, 6), static_cast<unsigned>(kRed));
        EXPECT_EQ(GetPixel(h, 6 + d, 6), static_cast<unsigned>(kRed));
        EXPECT_EQ(GetPixel(h, 6, 6 - d), static_cast<unsigned>(kRed));
        EXPECT_EQ(GetPixel(h, 6, 6 + d), static_cast<unsigned>(kRed));
    }
    EXPECT_EQ(GetPixel(h, 6 - 2, 6), 0u);
    EXPECT_EQ(GetPixel(h, 6 + 6, 6), 0u);
}

TEST(SurfacePainterTest, radiiBeyondTheSurfaceOrNotAboveZero) {
    Picture picture(4, 4);
    {
        SurfacePainter painter(picture);
        painter.drawCircle({2, 2}, 1e300, kRed);
        painter.drawCircle({2, 2}, 0, kRed, kRed);
        painter.drawCircle({2, 2}, -3, kRed, kRed);
    }
    EXPECT_EQ(countPixels(picture.handle(), 0), 16);
    {
        SurfacePainter painter(picture);
        painter.drawCircle({2, 2}, 1e300, kRed, kBlue);
    }
    EXPECT_EQ(countPixels(picture.handle(), kBlue), 16);
}

TEST(SurfacePainterTest, polygonRegionLeavesRightAndBottomEdgesOut) {
    Picture picture(6, 5);
    {
        SurfacePainter painter(picture);
        const std::array<QPoint, 4> rect{QPoint(1, 1), QPoint(4, 1), QPoint(4, 3), QPoint(1, 3)};
        painter.fillPolygon(rect, kRed);
        painter.fillPolygon(std::span(rect).first(2), kBlue); // not a polygon
    }
    EXPECT_EQ(art(picture), "......\n"
                            ".rrr..\n"
                            ".rrr..\n"
                            "......\n"
                            "......\n");
}

TEST(SurfacePainterTest, kitePathWithDoubledEdgesFillsExactlyItsQuadrilateral) {
    const QPoint start(3, 20), p1(9, 8), tip(28, 4), p2(14, 17);
    Picture quad(32, 24), kite(32, 24);
    {
        SurfacePainter painter(quad);
        const std::array<QPoint, 4> v{start, p2, tip, p1};
        painter.fillPolygon(v, kRed);
    }
    {
        SurfacePainter painter(kite);
        const std::array<QPoint, 8> v{start, p2, tip, p2, tip, p1, start, p1};
        painter.fillPolygon(v, kRed);
    }
    EXPECT_GT(countPixels(quad.handle(), kRed), 100);
    EXPECT_EQ(art(kite), art(quad));
}

TEST(SurfacePainterTest, retracedPathFillsNothing) {
    Picture picture(16, 16);
    {
        SurfacePainter painter(picture);
        const QPoint start(1, 14), shoulder(6, 8), tip(14, 1);
        const std::array<QPoint, 8> v{start, shoulder, tip,   shoulder,
                                      tip,   shoulder, start, shoulder};
        painter.fillPolygon(v, kRed);
    }
    EXPECT_EQ(countPixels(picture.handle(), kRed), 0);
}

TEST(SurfacePainterTest, surfacesThatNameNothingAreNotPainted) {
    SurfacePainter none(0);
    EXPECT_FALSE(none.isActive());
    none.drawLine({0, 0}, {5, 5}, kRed);
    none.drawCircle({0, 0}, 3, kRed, kRed);
    Picture empty;
    SurfacePainter onEmpty(empty);
    EXPECT_FALSE(onEmpty.isActive());
}

TEST(SurfacePainterTest, paintsThroughAWindowHandle) {
    Picture picture(3, 1);
    {
        SurfacePainter painter(picture.windowHandle());
        painter.drawLine({0, 0}, {2, 0}, 0x01000000 | kBlue); // the top byte names no colour
    }
    EXPECT_EQ(countPixels(picture.handle(), kBlue), 3);
}

// A view repaints only what the painter says it touched, so every changed pixel must lie in it.
TEST(SurfacePainterTest, touchedAreaHoldsEveryPixelDrawn) {
    const std::array<QPoint, 4> kite{QPoint(5, 20), QPoint(12, 9), QPoint(19, 20), QPoint(12, 30)};
    const std::vector<std::pair<const char*, std::function<void(SurfacePainter&)>>> drawings{
        {"thin line", [](SurfacePainter& p) { p.drawLine({30, 3}, {2, 27}, kRed); }},
        {"wide line", [](SurfacePainter& p) { p.setPenWidth(5); p.drawLine({20, 2}, {20, 2}, kRed); }},
        {"wide circle", [](SurfacePainter& p) { p.setPenWidth(3); p.drawCircle({16, 16}, 9, kRed); }},
        {"filled circle", [](SurfacePainter& p) { p.drawCircle({0, 31}, 6, kRed, kBlue); }},
        {"polygon", [&](SurfacePainter& p) { p.fillPolygon(kite, kBlue); }},
        {"off the surface", [](SurfacePainter& p) { p.drawLine({-50, -9}, {-2, -90}, kRed); }},
    };
    for (const auto& [name, draw] : drawings) {
        Picture picture(32, 32);
        picture.clear();
        QRect touched;
        {
            SurfacePainter painter(picture);
            draw(painter);
            touched = painter.touched();
        }
        const QImage image = picture.toImage();
        QRect drawn;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if ((image.pixel(x, y) & 0xFFFFFF) != 0) {
                    drawn |= QRect(x, y, 1, 1);
                }
            }
        }
        EXPECT_TRUE(drawn.isEmpty() || touched.contains(drawn)) << name;
        // Not much more than the drawing: the view's saving depends on it.
        EXPECT_TRUE(drawn.adjusted(-5, -5, 5, 5).contains(touched) || touched.isEmpty()) << name;
    }
}
