#include "render/vectorhand.h"

#include <gtest/gtest.h>

#include "design/clockdesign.h"
#include "design/picture.h"
#include "design/runtimeerror.h"
#include "pixelart.h"
#include "recordinghost.h"
#include "render/surfacepainter.h"

using namespace dw::render;
using dw::design::ClockDesign;
using dw::design::MessageIcon;
using dw::design::Picture;
using dw::design::RuntimeError;
using dw::platform::GetPixel;
using dw::testing::countPixels;
using dw::testing::RecordedMessage;
using dw::testing::RecordingHost;

namespace {

constexpr std::int32_t kFill = 0x00FF00;
constexpr std::int32_t kOutline = 0x0000FF;

// A kite pointing at twelve o'clock from (20, 20) to (20, 0); its shoulders at 50% of 20 pixels
// from the centre, 30 degrees either side, fall on (25, 11) and (15, 11).
VectorHandSpec twelveOClockKite(bool fill, bool outline, std::int16_t angle = 30) {
    VectorHandSpec spec;
    spec.enabled = true;
    spec.fillOn = fill;
    spec.outlineOn = outline;
    spec.fillColour = kFill;
    spec.outlineColour = kOutline;
    spec.vectorLength = 20;
    spec.shoulderDistance = 50;
    spec.shoulderAngle = angle;
    spec.outlineWidth = 1;
    return spec;
}

Picture drawKite(const VectorHandSpec& spec, QPoint start = {20, 20}) {
    Picture picture(41, 41);
    SurfacePainter painter(picture);
    drawVectorHand(painter, spec, start, {20, 0}, 180, {20, 20});
    return picture;
}

} // namespace

TEST(VectorHandTest, specsOfHandsSwitchedOffAreJustDisabled) {
    RecordingHost host;
    ClockDesign design;
    design.ac_fpvh_fillR = "not read";
    const auto specs = buildVectorHandSpecs(design, host);
    ASSERT_TRUE(specs.has_value());
    for (HandKind hand : kHandKinds) {
        EXPECT_FALSE(specs->of(hand).enabled);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST(VectorHandTest, specReadsColoursDirectlyAndLengthFromTheRoundedRadius) {
    RecordingHost host;
    ClockDesign design;
    design.radius = "64.5"; // 64 as a 16-bit integer: 60% gives 38.4, not 38.7
    design.ac_chkminutes = 1;
    design.ac_chkmfill = 1;
    design.ac_chkmoutline = 2; // grey counts as neither on nor "both off"
    design.ac_fpvm_fillR = " 1 ";
    design.ac_fpvm_fillG = "2";
    design.ac_fpvm_fillB = "3";
    design.ac_fpvm_outB = "0";
    design.md = "60";
    design.ac_mhc = "2.5";
    const auto specs = buildVectorHandSpecs(design, host);
    ASSERT_TRUE(specs.has_value());
    const VectorHandSpec& m = specs->minute;
    EXPECT_TRUE(m.enabled);
    EXPECT_TRUE(m.fillOn);
    EXPECT_FALSE(m.outlineOn);
    EXPECT_EQ(m.fillColour, 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(m.outlineColour, 0x00FFFF);
    EXPECT_EQ(m.vectorLength, 38);
    EXPECT_EQ(m.shoulderDistance, 2) << "halves to even";
    EXPECT_EQ(m.shoulderAngle, 4);
    EXPECT_EQ(m.outlineWidth, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST(VectorHandTest, enabledHandWithoutFillOrOutlineRefusesTheRun) {
    const std::pair<std::int16_t ClockDesign::*, const char*> hands[] = {
        {&ClockDesign::ac_chkhours, "hour"},
        {&ClockDesign::ac_chkminutes, "minute"},
        {&ClockDesign::ac_chkseconds, "second"}};
    for (const auto& [enabled, name] : hands) {
        RecordingHost host;
        ClockDesign design;
        design.*enabled = 1;
        EXPECT_FALSE(buildVectorHandSpecs(design, host).has_value()) << name;
        const RecordedMessage expected{std::string("4 point vectoring for the ") + name +
                                           " hand is enabled but neither fill or outlined are "
                                           "enabled",
                                       MessageIcon::Information};
        EXPECT_EQ(host.messages, std::vector<RecordedMessage>{expected});
    }
}

TEST(VectorHandTest, firstRefusedHandEndsTheBuild) {
    RecordingHost host;
    ClockDesign design;
    design.ac_chkhours = 1;
    design.ac_chkseconds = 1;
    EXPECT_FALSE(buildVectorHandSpecs(design, host).has_value());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("hour hand"), std::string::npos);
}

TEST(VectorHandTest, colourTextThatIsNotANumberIsARunTimeError) {
    RecordingHost host;
    ClockDesign design;
    design.ac_chkseconds = 1;
    design.ac_fpvs_outG = "12abc";
    try {
        buildVectorHandSpecs(design, host);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.description(), "Type mismatch");
    }
    EXPECT_TRUE(host.messages.empty()) << "colours are read before the fill and outline check";
}

TEST(VectorHandTest, fillCoversTheQuadrilateralOnly) {
    const Picture p = drawKite(twelveOClockKite(true, false));
    const auto h = p.handle();
    for (QPoint inside : {QPoint(20, 11), QPoint(20, 3), QPoint(20, 18), QPoint(17, 12)}) {
        EXPECT_EQ(GetPixel(h, inside.x(), inside.y()), static_cast<unsigned>(kFill))
            << inside.x() << "," << inside.y();
    }
    for (QPoint outside : {QPoint(20, 25), QPoint(10, 11), QPoint(30, 11), QPoint(12, 3)}) {
        EXPECT_EQ(GetPixel(h, outside.x(), outside.y()), 0u) << outside.x() << "," << outside.y();
    }
    EXPECT_EQ(countPixels(h, kOutline), 0);
}

TEST(VectorHandTest, outlineOnlyDrawsFourLinesAndNoFill) {
    const Picture p = drawKite(twelveOClockKite(false, true));
    const auto h = p.handle();
    for (QPoint corner : {QPoint(20, 20), QPoint(25, 11), QPoint(20, 0), QPoint(15, 11)}) {
        EXPECT_EQ(GetPixel(h, corner.x(), corner.y()), static_cast<unsigned>(kOutline));
    }
    EXPECT_EQ(GetPixel(h, 20, 11), 0u);
    EXPECT_EQ(countPixels(h, kFill), 0);
}

TEST(VectorHandTest, outlineLiesOverTheFill) {
    const Picture p = drawKite(twelveOClockKite(true, true));
    EXPECT_EQ(GetPixel(p.handle(), 20, 11), static_cast<unsigned>(kFill));
    EXPECT_EQ(GetPixel(p.handle(), 15, 11), static_cast<unsigned>(kOutline));
    EXPECT_EQ(GetPixel(p.handle(), 20, 0), static_cast<unsigned>(kOutline));
}

TEST(VectorHandTest, zeroShoulderAngleFillsNothingAndOutlinesTheHandsLine) {
    const Picture filled = drawKite(twelveOClockKite(true, false, 0));
    EXPECT_EQ(countPixels(filled.handle(), kFill), 0);
    const Picture outlined = drawKite(twelveOClockKite(false, true, 0));
    EXPECT_EQ(countPixels(outlined.handle(), kOutline), 21) << "the line from (20,20) to (20,0)";
}

TEST(VectorHandTest, shouldersStayMeasuredFromTheCentreWhenTheStartMoves) {
    const Picture p = drawKite(twelveOClockKite(false, true), {20, 16});
    EXPECT_EQ(GetPixel(p.handle(), 25, 11), static_cast<unsigned>(kOutline));
    EXPECT_EQ(GetPixel(p.handle(), 15, 11), static_cast<unsigned>(kOutline));
    EXPECT_EQ(GetPixel(p.handle(), 20, 16), static_cast<unsigned>(kOutline));
    EXPECT_EQ(GetPixel(p.handle(), 20, 20), 0u);
}
