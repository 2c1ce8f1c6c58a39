#include "design/confirmedpositions.h"

#include <gtest/gtest.h>

#include "design/runtimeerror.h"

using namespace dw::design;

TEST(ConfirmedPositionsTest, labelShowsBothNumbersWithTheirSigns) {
    EXPECT_EQ(confirmedPositionText(160, 90), "(160, 90)");
    EXPECT_EQ(confirmedPositionText(-10, -4), "(-10, -4)");
    EXPECT_EQ(confirmedPositionText(0, -32768), "(0, -32768)");
}

TEST(ConfirmedPositionsTest, eraseTopLeftIsConfirmedFromTheTypedTexts) {
    ClockDesign design;
    design.edtX = "12.5";
    design.edtY = "13.5abc";
    cmdSetTopLeft_Click(design);
    EXPECT_EQ(design.eraseTopLeftX, 12);
    EXPECT_EQ(design.eraseTopLeftY, 14);
    EXPECT_EQ(design.lblConfirmedXY, "(12, 14)");
    EXPECT_EQ(design.edtX, "12.5") << "the typed text stays";
}

TEST(ConfirmedPositionsTest, bitmapTopLeftIsConfirmedOrLeftWholeOnOverflow) {
    ClockDesign design;
    design.edtBMPX = "-3";
    design.edtBMPY = "";
    cmdBMPcentre_Click(design);
    EXPECT_EQ(design.bmptopx, -3);
    EXPECT_EQ(design.bmptopy, 0);
    EXPECT_EQ(design.lblConfirmedBMPXY, "(-3, 0)");
    design.edtBMPX = "7";
    design.edtBMPY = "1e5";
    EXPECT_THROW(cmdBMPcentre_Click(design), RuntimeError);
    EXPECT_EQ(design.bmptopx, -3);
    EXPECT_EQ(design.lblConfirmedBMPXY, "(-3, 0)");
}
