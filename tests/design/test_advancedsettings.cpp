#include "design/advancedsettings.h"

#include <gtest/gtest.h>

#include "design/runtimeerror.h"
#include "recordinghost.h"

using namespace dw::design;
using dw::testing::RecordingHost;

namespace {

std::vector<std::int16_t> vectorChecks(const ClockDesign& d) {
    return {d.ac_chkhours,    d.ac_chkhfill,   d.ac_chkhoutline, d.ac_chkminutes, d.ac_chkmfill,
            d.ac_chkmoutline, d.ac_chkseconds, d.ac_chksfill,    d.ac_chksoutline};
}

} // namespace

TEST(AdvancedSettingsTest, enableNoneSwitchesOnlyTheChecksAndDefaultsRestoreTheRest) {
    ClockDesign design;
    design.ac_fpvm_outG = "7";
    design.ac_mhc = "33";
    cmdAll_Click(design);
    EXPECT_EQ(vectorChecks(design), std::vector<std::int16_t>(9, 1));
    cmdNone_Click(design);
    EXPECT_EQ(vectorChecks(design), std::vector<std::int16_t>(9, 0));
    EXPECT_EQ(design.ac_fpvm_outG, "7");
    EXPECT_EQ(design.ac_mhc, "33");
    cmdAll_Click(design);
    cmdDefaults_Click(design);
    EXPECT_EQ(vectorChecks(design), std::vector<std::int16_t>(9, 0));
    EXPECT_EQ(design.ac_fpvm_outG, "255");
    EXPECT_EQ(design.ac_mhc, "50");
}

TEST(AdvancedSettingsTest, digitalDefaultsClearStraightenFontAndPosition) {
    ClockDesign design;
    design.ac_straighten = 1;
    design.edtLeft = "12";
    design.edtTop = "34";
    setPos(design);
    setfont(design, "Serif", 20, true, true);
    design.ac_edtHourSep = "-";
    design.ac_chkZE = 1;
    design.ac_edtSepG = "0";
    cmdDigitalDefault_Click(design);
    EXPECT_EQ(design.ac_straighten, 0);
    EXPECT_EQ(design.edtLeft, "");
    EXPECT_EQ(design.edtTop, "");
    EXPECT_EQ(design.nDigitalLeft, 0);
    EXPECT_EQ(design.nDigitalTop, 0);
    EXPECT_EQ(design.advancedLblConfirmedXY, "(0, 0)");
    EXPECT_EQ(design.strFont, "");
    EXPECT_EQ(design.lblFont, "");
    EXPECT_EQ(design.nFSize, 8);
    EXPECT_FALSE(design.bFBold);
    EXPECT_EQ(design.ac_edtHourSep, ":");
    EXPECT_EQ(design.ac_chkZE, 0);
    EXPECT_EQ(design.ac_chkAMPMpos, 1);
    EXPECT_EQ(design.ac_edtAM, "am");
    EXPECT_EQ(design.ac_edtPM, "pm");
    EXPECT_EQ(design.ac_edtSepG, "255");
}

TEST(AdvancedSettingsTest, setPosRoundsHalvesToEvenAndKeepsThePositionOnOverflow) {
    ClockDesign design;
    design.edtLeft = "10.5";
    design.edtTop = "-11.5px";
    cmdSetPos_Click(design);
    EXPECT_EQ(design.nDigitalLeft, 10);
    EXPECT_EQ(design.nDigitalTop, -12);
    EXPECT_EQ(design.advancedLblConfirmedXY, "(10, -12)");
    design.edtTop = "40000";
    EXPECT_THROW(setPos(design), RuntimeError);
    EXPECT_EQ(design.nDigitalLeft, 10);
    EXPECT_EQ(design.advancedLblConfirmedXY, "(10, -12)");
}

struct FontCase {
    const char* name;
    std::optional<FontChoice> answer;
    const char* label; // the font label afterwards; "Mono, 9" means unchanged
    std::int16_t size;
};

class ShowFonts : public testing::TestWithParam<FontCase> {};

TEST_P(ShowFonts, storesTheChosenFontWithItsSizeRounded) {
    RecordingHost host;
    host.fontAnswers.push_back(GetParam().answer);
    ClockDesign design;
    setfont(design, "Mono", 9, false, false);
    cmdGetFont_Click(design, host);
    EXPECT_EQ(design.lblFont, GetParam().label);
    EXPECT_EQ(design.nFSize, GetParam().size);
    EXPECT_TRUE(host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ShowFonts,
    testing::Values(FontCase{"halfDown", FontChoice{"Serif", 10.5, false, false}, "Serif, 10", 10},
                    FontCase{"halfUp", FontChoice{"Serif", 11.5, false, false}, "Serif, 12", 12},
                    FontCase{"bold", FontChoice{"Sans", 8, true, false}, "Sans, 8, bold", 8},
                    FontCase{"boldItalic", FontChoice{"Sans", 8, true, true},
                             "Sans, 8, bold, italic", 8},
                    FontCase{"cancelled", std::nullopt, "Mono, 9", 9},
                    FontCase{"blankName", FontChoice{" \t ", 12, false, false}, "Mono, 9", 9},
                    FontCase{"sizeTooLarge", FontChoice{"Serif", 1e6, false, false}, "Mono, 9", 9}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AdvancedSettingsTest, colourButtonsCopyThePickedColourIntoTheirFields) {
    ClockDesign design;
    design.pointred = 1;
    design.pointgreen = 2;
    design.pointblue = 3;
    cmdMOL_Click(design);
    EXPECT_EQ(design.ac_fpvm_outR + design.ac_fpvm_outG + design.ac_fpvm_outB, "123");
    EXPECT_EQ(design.ac_fpvm_fillR, "255");
    cmdSeps_Click(design);
    EXPECT_EQ(design.ac_edtSepR + design.ac_edtSepG + design.ac_edtSepB, "123");
    cmdSetAll_Click(design);
    for (const auto& colour : {design.ac_fpvh_fillB, design.ac_fpvh_outB, design.ac_fpvm_fillB,
                               design.ac_fpvs_fillB, design.ac_fpvs_outB}) {
        EXPECT_EQ(colour, "3");
    }
    EXPECT_EQ(design.ac_fpvs_outR, "1");
}

TEST(AdvancedSettingsTest, displayOrderChangesOnlyWithASelection) {
    ClockDesign design;
    cmdOrder_Click(design, std::nullopt);
    EXPECT_EQ(design.displayOrder, "shm");
    cmdOrder_Click(design, "mhs");
    EXPECT_EQ(design.displayOrder, "mhs");
}
