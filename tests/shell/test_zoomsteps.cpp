// The zoom steps and the mapping between widget positions and picture pixels.
#include <gtest/gtest.h>

#include "shell/zoomsteps.h"

namespace dw::shell {
namespace {

TEST(ZoomStepsTest, stepsUpAndDownStopAtTheEnds) {
    struct Row {
        int from, in, out;
    };
    for (const Row& row : {Row{25, 50, 25}, Row{100, 200, 50}, Row{1600, 1600, 800},
                           Row{150, 200, 100}, Row{10, 25, 25}}) {
        EXPECT_EQ(zoomedIn(row.from), row.in) << row.from;
        EXPECT_EQ(zoomedOut(row.from), row.out) << row.from;
    }
}

TEST(ZoomStepsTest, widgetPositionsMapToThePixelUnderThem) {
    struct Row {
        const char* name;
        QPointF widget;
        int percent;
        QPointF picture;
    };
    for (const Row& row : {
             Row{"naturalKeepsRealPositions", {10.5, -3}, 100, {10.5, -3}},
             Row{"lowerRightQuarterAt400", {43, 31}, 400, {10, 7}},
             Row{"firstScreenPixelOfAPixel", {40, 28}, 400, {10, 7}},
             Row{"leftOfThePicture", {-1, -4}, 400, {-1, -1}},
             Row{"reduced", {10, 3}, 25, {40, 12}},
         }) {
        EXPECT_EQ(pictureAt(row.widget, row.percent), row.picture) << row.name;
    }
    EXPECT_EQ(pixelRect(10, 7, 400), QRect(40, 28, 4, 4));
    EXPECT_EQ(pixelRect(3, 0, 100), QRect(3, 0, 1, 1));
    EXPECT_EQ(zoomedSize({40, 30}, 800), QSize(320, 240));
    EXPECT_EQ(zoomedSize({3, 1}, 25), QSize(1, 1)) << "a reduced picture never vanishes";
    EXPECT_TRUE(zoomedSize({}, 400).isEmpty());
}

TEST(ZoomStepsTest, exposedRectanglesShowThePixelsUnderThemOnly) {
    EXPECT_EQ(pixelsUnder({41, 29, 10, 3}, {40, 30}, 400), QRect(10, 7, 3, 1));
    EXPECT_EQ(pixelsUnder({0, 0, 1000, 1000}, {40, 30}, 800), QRect(0, 0, 40, 30));
    EXPECT_TRUE(pixelsUnder({330, 0, 10, 10}, {40, 30}, 800).isEmpty()) << "right of the picture";
    EXPECT_EQ(pixelsUnder({-8, -8, 9, 9}, {40, 30}, 800), QRect(0, 0, 1, 1));
}

TEST(ZoomStepsTest, aViewFitsItsContentUpToTheRoomWithRoomForScrollBars) {
    struct Row {
        const char* name;
        QSize content, room, view;
    };
    for (const Row& row : {
             Row{"fits", {300, 200}, {800, 600}, {300, 200}},
             Row{"tooWideBringsAHorizontalBar", {1000, 200}, {800, 600}, {800, 216}},
             Row{"tooHighBringsAVerticalBar", {300, 900}, {800, 600}, {316, 600}},
             Row{"barThatNoLongerFitsBringsTheOther", {1000, 590}, {800, 600}, {800, 600}},
             Row{"both", {2000, 2000}, {800, 600}, {800, 600}},
         }) {
        EXPECT_EQ(fittedViewSize(row.content, row.room, 16), row.view) << row.name;
    }
}

} // namespace
} // namespace dw::shell
