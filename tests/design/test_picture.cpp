#include "design/picture.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <utility>

using dw::design::Picture;
using namespace dw::platform;

TEST(PictureTest, newPictureIsBlackAndItsHandlesNameOneSurface) {
    Picture picture(4, 3);
    EXPECT_EQ(picture.width(), 4);
    EXPECT_EQ(picture.height(), 3);
    ASSERT_NE(picture.handle(), 0u);
    EXPECT_EQ(GetPixel(picture.handle(), 3, 2), 0u);
    EXPECT_EQ(GetDC(picture.windowHandle()), picture.handle());
    EXPECT_TRUE(Picture().isEmpty());
    EXPECT_NE(Picture().handle(), 0u);
}

TEST(PictureTest, paintingOnTheViewPaintsTheSurface) {
    Picture picture(5, 5);
    QImage view = picture.view();
    ASSERT_EQ(view.format(), QImage::Format_RGB32);
    {
        QPainter painter(&view);
        painter.fillRect(1, 2, 2, 1, QColor(0x10, 0x20, 0x30));
    }
    EXPECT_EQ(GetPixel(picture.handle(), 2, 2), 0x302010u) << "COLORREF is 0x00BBGGRR";
    EXPECT_EQ(GetPixel(picture.handle(), 3, 2), 0u);
    SetPixel(picture.handle(), 0, 0, 0x0000FFu);
    EXPECT_EQ(picture.view().pixel(0, 0), 0xFFFF0000u);
}

TEST(PictureTest, assignKeepsTheHandleAndStoresOpaqueRgb) {
    Picture picture(2, 2);
    const Handle handle = picture.handle();
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 255, 0, 255));
    image.setPixel(2, 0, qRgba(0, 0, 255, 255));
    ASSERT_TRUE(picture.assign(image));
    EXPECT_EQ(picture.handle(), handle);
    EXPECT_EQ(picture.width(), 3);
    EXPECT_EQ(picture.height(), 1);
    EXPECT_EQ(GetPixel(handle, 0, 0), 0x0000FFu);
    EXPECT_EQ(GetPixel(handle, 1, 0), 0x00FF00u);
    EXPECT_EQ(GetPixel(handle, 2, 0), 0xFF0000u);
    SurfacePixels px;
    ASSERT_TRUE(LockSurface(handle, &px));
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(px.pixels[x] >> 24, 0xFFu) << "surface words are opaque";
    }
    EXPECT_TRUE(picture.assign(QImage()));
    EXPECT_TRUE(picture.isEmpty());
    EXPECT_EQ(picture.handle(), handle);
}

TEST(PictureTest, copyFromTakesSizeAndPixelsAndStaysIndependent) {
    Picture source(3, 2);
    source.clear(0x123456u);
    Picture copy(1, 1);
    ASSERT_TRUE(copy.copyFrom(source));
    EXPECT_EQ(copy.width(), 3);
    EXPECT_EQ(copy.height(), 2);
    EXPECT_EQ(GetPixel(copy.handle(), 2, 1), 0x123456u);
    source.clear(0);
    EXPECT_EQ(GetPixel(copy.handle(), 2, 1), 0x123456u);
    EXPECT_TRUE(copy.copyFrom(copy));
    EXPECT_EQ(GetPixel(copy.handle(), 0, 0), 0x123456u);
    EXPECT_EQ(copy.toImage().pixel(0, 0), 0xFF563412u);
}

TEST(PictureTest, movingHandsOverTheSurfaceAndDestroyingFreesIt) {
    Handle handle = 0;
    Handle window = 0;
    {
        Picture first(2, 2);
        handle = first.handle();
        window = first.windowHandle();
        Picture second(std::move(first));
        EXPECT_EQ(first.handle(), 0u);
        EXPECT_EQ(second.handle(), handle);
        Picture third;
        third = std::move(second);
        EXPECT_EQ(third.handle(), handle);
        EXPECT_EQ(GetPixel(handle, 1, 1), 0u);
    }
    EXPECT_EQ(GetPixel(handle, 0, 0), CLR_INVALID);
    EXPECT_EQ(GetDC(window), 0u);
}

TEST(PictureTest, sizesThatCannotBeAllocatedGiveAnEmptyPicture) {
    Picture huge(100000, 100000);
    EXPECT_TRUE(huge.isEmpty());
    EXPECT_NE(huge.handle(), 0u);
    EXPECT_TRUE(huge.view().isNull());
}
