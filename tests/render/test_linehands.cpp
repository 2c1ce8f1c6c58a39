#include "render/linehands.h"

#include <gtest/gtest.h>

#include <string>

#include "design/clockdesign.h"
#include "design/picture.h"
#include "design/runtimeerror.h"
#include "pixelart.h"
#include "render/surfacepainter.h"

using namespace dw::render;
using dw::design::ClockDesign;
using dw::design::Picture;
using dw::design::RuntimeError;
using dw::platform::COLORREF;
using dw::platform::GetPixel;
using dw::testing::countPixels;

namespace {

constexpr std::int32_t kHour = 0x0000FF;
constexpr std::int32_t kMinute = 0x00FF00;
constexpr std::int32_t kSecond = 0xFF0000;
constexpr std::int32_t kFill = 0x808080;
constexpr std::int32_t kRing = 0x00FFFF;

// A 64 x 64 face: centre (32, 32), radius 20, so the hour hand reaches 12 pixels, the minute hand
// 15, the second hand 20 and each reflection 8; the inner radius is 5.
struct Face {
    ClockDesign design;
    HandTables tables;
    LineHandsStyle style;
    Picture picture{64, 64};

    Face() {
        design.centrex = 32;
        design.centrey = 32;
        design.radius = "20";
        design.innerradius = "5";
        style.hour = {1, kHour, {}};
        style.minute = {1, kMinute, {}};
        style.second = {1, kSecond, {}};
    }

    void draw(HandIndices indices) {
        computeHandTables(tables, design);
        drawAgain(indices);
    }
    // Without recomputing the tables, as the frames of one run do.
    void drawAgain(HandIndices indices) {
        SurfacePainter painter(picture);
        drawLineHands(painter, tables, design, style, indices);
    }
    COLORREF at(int x, int y) const { return GetPixel(picture.handle(), x, y); }
};

constexpr HandIndices kAllAtTwelve{180, 180, 180};

struct OrderCase {
    std::string name;
    std::string order;
    COLORREF nearCentre; // (32, 25): under all three hands
    COLORREF pastHour;   // (32, 19): past the hour tip, under minute and second
};

class DrawingOrderTest : public ::testing::TestWithParam<OrderCase> {};

} // namespace

TEST_P(DrawingOrderTest, laterHandsLieOverEarlierOnes) {
    const OrderCase& c = GetParam();
    Face face;
    face.design.displayOrder = c.order;
    face.draw(kAllAtTwelve);
    EXPECT_EQ(face.at(32, 25), c.nearCentre);
    EXPECT_EQ(face.at(32, 19), c.pastHour);
}

INSTANTIATE_TEST_SUITE_P(LineHands, DrawingOrderTest,
                         ::testing::Values(OrderCase{"hms", "hms", kSecond, kSecond},
                                           OrderCase{"shm", "shm", kMinute, kMinute},
                                           OrderCase{"smh", "smh", kHour, kMinute},
                                           OrderCase{"unknownLettersDrawNothing", "xyz", 0, 0},
                                           OrderCase{"upperCaseIsNotALetterOfAHand", "HMS", 0, 0},
                                           OrderCase{"shortOrderDrawsFewerHands", "h", kHour, 0},
                                           OrderCase{"onlyThreePlacesAreRead", "xxxs", 0, 0},
                                           OrderCase{"emptyOrder", "", 0, 0}),
                         [](const auto& info) { return info.param.name; });

TEST(LineHandsTest, innerCircleIsFilledThenOutlinedOverTheHandsInnerEnds) {
    Face face;
    face.style.useInnerRadius = true;
    face.style.innerCircle = {true, kFill, true, kRing, 1};
    face.draw({360, 180, 90}); // hour towards six, second towards three
    EXPECT_EQ(face.at(32, 32), static_cast<COLORREF>(kFill));
    EXPECT_EQ(face.at(32, 35), static_cast<COLORREF>(kFill)) << "over the hour hand's start";
    EXPECT_EQ(face.at(37, 32), static_cast<COLORREF>(kRing));
    EXPECT_EQ(face.at(32, 27), static_cast<COLORREF>(kRing));
    EXPECT_EQ(face.at(40, 32), static_cast<COLORREF>(kSecond));
    EXPECT_EQ(face.at(32, 40), static_cast<COLORREF>(kHour));
}

TEST(LineHandsTest, withoutTheInnerRadiusNoCircleIsDrawnAndHandsStartAtTheCentre) {
    Face face;
    face.style.innerCircle = {true, kFill, true, kRing, 1};
    face.draw({360, 180, 90});
    EXPECT_EQ(countPixels(face.picture.handle(), kFill), 0);
    EXPECT_EQ(countPixels(face.picture.handle(), kRing), 0);
    EXPECT_EQ(face.at(33, 32), static_cast<COLORREF>(kSecond));
}

TEST(LineHandsTest, handsStartOnTheInnerCircle) {
    Face face;
    face.style.useInnerRadius = true;
    face.draw({360, 180, 90});
    EXPECT_EQ(face.at(34, 32), 0u);
    EXPECT_EQ(face.at(37, 32), static_cast<COLORREF>(kSecond));
    EXPECT_EQ(face.at(32, 30), 0u);
    EXPECT_EQ(face.at(32, 27), static_cast<COLORREF>(kMinute));
}

TEST(LineHandsTest, innerRadiusTextIsReadAtEveryFrame) {
    Face face;
    face.style.useInnerRadius = true;
    face.style.innerCircle = {false, 0, true, kRing, 1};
    face.draw(kAllAtTwelve);
    EXPECT_EQ(face.at(37, 32), static_cast<COLORREF>(kRing));
    face.design.innerradius = "8";
    face.drawAgain(kAllAtTwelve);
    EXPECT_EQ(face.at(40, 32), static_cast<COLORREF>(kRing));
}

// The reflection of a hand at three o'clock starts on the inner circle at nine o'clock's row and
// runs on to the reflection's end, 8 pixels left of the centre; at nine o'clock the mirror image.
TEST(LineHandsTest, reflectionStartsOnTheOppositeInnerCircleRow) {
    for (const int index : {90, 270}) {
        SCOPED_TRACE(index);
        const int side = index == 90 ? -1 : 1; // where the reflection lies
        Face face;
        face.design.displayOrder = "s";
        face.style.useInnerRadius = true;
        face.draw({180, 180, static_cast<std::int16_t>(index)});
        EXPECT_EQ(face.at(32 + 7 * side, 32), 0u) << "no reflection while its box is off";

        face.design.secondreflection = 1; // ticked during the run
        face.picture.clear();
        face.drawAgain({180, 180, static_cast<std::int16_t>(index)});
        for (int d = 5; d <= 8; ++d) {
            EXPECT_EQ(face.at(32 + d * side, 32), static_cast<COLORREF>(kSecond)) << d;
        }
        EXPECT_EQ(face.at(32 + 4 * side, 32), 0u) << "not from the centre";
        EXPECT_EQ(face.at(32 + 9 * side, 32), 0u);
    }
}

TEST(LineHandsTest, reflectionsFollowTheirOwnBoxes) {
    Face face;
    face.design.chkhhr = 1;
    face.design.chkmhr = 2; // only 1 is on
    face.design.displayOrder = "hm";
    face.draw({90, 180, 180}); // hour at three, minute at twelve
    EXPECT_EQ(face.at(27, 32), static_cast<COLORREF>(kHour)) << "the hour's reflection";
    EXPECT_EQ(face.at(24, 32), static_cast<COLORREF>(kHour));
    EXPECT_EQ(face.at(32, 37), 0u) << "no minute reflection";
}

TEST(LineHandsTest, vectorHandReplacesTheLineButKeepsALineReflection) {
    Face face;
    face.design.displayOrder = "h";
    face.design.chkhhr = 1;
    VectorHandSpec kite;
    kite.enabled = true;
    kite.fillOn = true;
    kite.fillColour = kFill;
    kite.vectorLength = 12;
    kite.shoulderDistance = 50;
    kite.shoulderAngle = 30;
    face.style.hour.vector = kite;
    face.draw(kAllAtTwelve); // hour tip (32, 20), shoulders near (29, 27) and (35, 27)
    EXPECT_EQ(face.at(32, 26), static_cast<COLORREF>(kFill));
    EXPECT_EQ(face.at(33, 27), static_cast<COLORREF>(kFill));
    EXPECT_EQ(countPixels(face.picture.handle(), kHour), 9) << "the reflection, (32,32)..(32,40)";
    EXPECT_EQ(face.at(32, 40), static_cast<COLORREF>(kHour));
}

TEST(LineHandsTest, widthsBeyondSixteenBitsAndIndicesOutsideTheTablesAreRunTimeErrors) {
    Face face;
    face.style.second.width = 40000;
    EXPECT_THROW(face.draw(kAllAtTwelve), RuntimeError);
    face.style.second.width = 1;
    EXPECT_THROW(face.draw({180, 900, 180}), RuntimeError);
    EXPECT_NO_THROW(face.draw({180, 180, -1})) << "jitter one degree below zero";
}

TEST(LineHandsTest, innerCircleSettingsReadOnlyWhatIsSwitchedOn) {
    ClockDesign design;
    design.fillirr = "99999"; // would overflow, but the fill is off
    design.outlineir = 1;
    design.outlineirr = "1";
    design.outlineirg = "2";
    design.outlineirb = "3";
    design.outlineirw = "2.5";
    const InnerCircleStyle circle = readInnerCircleStyle(design);
    EXPECT_FALSE(circle.fill);
    EXPECT_TRUE(circle.outline);
    EXPECT_EQ(circle.outlineColour, 0x030201);
    EXPECT_EQ(circle.outlineWidth, 2);
    design.fillir = 1;
    EXPECT_THROW(readInnerCircleStyle(design), RuntimeError);
}
