#include "design/colourtools.h"

#include <gtest/gtest.h>

#include "design/runtimeerror.h"

using namespace dw::design;

namespace {

std::vector<std::string> handBoxes(const ClockDesign& d) {
    return {d.hred, d.hgreen, d.hblue, d.mred, d.mgreen, d.mblue, d.sred, d.sgreen, d.sblue};
}

} // namespace

struct PickCase {
    const char* name;
    std::int32_t colour;
    const char* label;
};

class GetColorValues : public testing::TestWithParam<PickCase> {};

TEST_P(GetColorValues, splitsTheColourAndLabelsItInHex) {
    ClockDesign design;
    getColorValues(design, GetParam().colour);
    EXPECT_EQ(design.lblColour, GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, GetColorValues,
    testing::Values(PickCase{"black", 0, "0x0 -> (0,0,0)"},
                    PickCase{"white", 16777215, "0xFFFFFF -> (255,255,255)"},
                    PickCase{"orange", 0x80FF, "0x80FF -> (255,128,0)"},
                    PickCase{"outsideAnyPixel", -1, "0xFFFFFFFF -> (255,255,255)"},
                    PickCase{"negativeWithBlue", -65536, "0xFFFF0000 -> (0,0,255)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColourToolsTest, copyButtonsWriteThePickedComponents) {
    ClockDesign design;
    getColorValues(design, 0x030201);
    cmdFromPoint_Click(design);
    EXPECT_EQ(design.transr + design.transg + design.transb, "123");
    cmdRGBFromPoint_Click(design);
    EXPECT_EQ(design.bmptransr + design.bmptransg + design.bmptransb, "123");
    setFromPt_Click(design);
    EXPECT_EQ(handBoxes(design),
              (std::vector<std::string>{"1", "2", "3", "1", "2", "3", "1", "2", "3"}));
}

TEST(ColourToolsTest, setAllWritesTheRoundedValueIntoTheNineBoxes) {
    ClockDesign design;
    design.setallcolors = "12.5";
    setAll_Click(design);
    EXPECT_EQ(handBoxes(design), std::vector<std::string>(9, "12"));
    design.setallcolors = "13.5";
    setAll_Click(design);
    EXPECT_EQ(handBoxes(design), std::vector<std::string>(9, "14"));
    design.setallcolors = "300";
    setAll_Click(design);
    EXPECT_EQ(design.sblue, "300") << "no clamping to 0..255";
    design.setallcolors = "40000";
    EXPECT_THROW(setAll_Click(design), RuntimeError);
    EXPECT_EQ(handBoxes(design), std::vector<std::string>(9, "300"));
}

TEST(ColourToolsTest, replaceChangesBoxesWhoseNumberEqualsTheSource) {
    ClockDesign design;
    design.hred = "255";
    design.hgreen = "255.0";
    design.hblue = "0255";
    design.mred = " 255";
    design.mgreen = "255.5";
    design.mblue = "254";
    design.sred = "255abc";
    design.sgreen = "abc";
    design.sblue = "2 55";
    design.replacecolor = "255";
    design.replacewith = "0";
    Replace_Click(design);
    EXPECT_EQ(handBoxes(design),
              (std::vector<std::string>{"0", "0", "0", "0", "255.5", "254", "0", "abc", "0"}));
    design.replacecolor = "0";
    design.replacewith = "9";
    Replace_Click(design);
    EXPECT_EQ(design.sgreen, "9") << "letters read as 0";
}
