#include "design/advancedsettings.h"

#include "design/confirmedpositions.h"
#include "design/host.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"

namespace dw::design {

namespace {

struct ColourTriple {
    TextField red, green, blue;
};

// The six vector-hand colours in the order the bulk button fills them.
constexpr ColourTriple kVectorColours[] = {
    {&ClockDesign::ac_fpvh_fillR, &ClockDesign::ac_fpvh_fillG, &ClockDesign::ac_fpvh_fillB},
    {&ClockDesign::ac_fpvh_outR, &ClockDesign::ac_fpvh_outG, &ClockDesign::ac_fpvh_outB},
    {&ClockDesign::ac_fpvm_fillR, &ClockDesign::ac_fpvm_fillG, &ClockDesign::ac_fpvm_fillB},
    {&ClockDesign::ac_fpvm_outR, &ClockDesign::ac_fpvm_outG, &ClockDesign::ac_fpvm_outB},
    {&ClockDesign::ac_fpvs_fillR, &ClockDesign::ac_fpvs_fillG, &ClockDesign::ac_fpvs_fillB},
    {&ClockDesign::ac_fpvs_outR, &ClockDesign::ac_fpvs_outG, &ClockDesign::ac_fpvs_outB},
};

void copyPointColour(ClockDesign& design, const ColourTriple& triple) {
    copyPointColour(design, triple.red, triple.green, triple.blue);
}

bool isBlankText(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

void vectorDefaults(ClockDesign& design) {
    // Hour, minute, second: fill, outline, then the width of that hand.
    constexpr TextField widths[] = {&ClockDesign::ac_fpvh_HW, &ClockDesign::ac_fpvm_HW,
                                    &ClockDesign::ac_fpvs_HW};
    for (int hand = 0; hand < 3; ++hand) {
        for (const ColourTriple& triple :
             {kVectorColours[2 * hand], kVectorColours[2 * hand + 1]}) {
            design.*triple.red = "255";
            design.*triple.green = "255";
            design.*triple.blue = "255";
        }
        design.*widths[hand] = "1";
    }
    setAll(design, 0);
    design.ac_hhc = "75";
    design.ac_hpd = "5";
    design.ac_mhc = "50";
    design.ac_mpd = "4";
    design.ac_shc = "15";
    design.ac_spd = "10";
}

void otherDefaults(ClockDesign& design) {
    design.ac_straighten = 0;
    design.ac_chkFlash = 0;
    design.ac_FlashEvery = "15";
    design.lblFont.clear();
    design.strFont.clear();
    design.nFSize = 8;
    design.bFBold = false;
    design.bFItalic = false;
    design.ac_edtHead.clear();
    design.ac_edtHourSep = ":";
    design.ac_edtMinSep = ":";
    design.ac_edtTail.clear();
    design.ac_chkInitiallyOn = 1;
    design.ac_chkHourMode = 1;
    design.ac_chkAMPM = 1;
    design.ac_edtAM = "am";
    design.ac_edtPM = "pm";
    design.ac_chkAMPMpos = 1;
    design.ac_chkAsc = 1;
    design.ac_chkSecondsOnly = 0;
    design.ac_chkZE = 0;
    design.edtLeft.clear();
    design.edtTop.clear();
    setPos(design);
    design.ac_edtSepR = "255";
    design.ac_edtSepG = "255";
    design.ac_edtSepB = "255";
}

void setAll(ClockDesign& design, std::int16_t value) {
    design.ac_chkhours = value;
    design.ac_chkhfill = value;
    design.ac_chkhoutline = value;
    design.ac_chkminutes = value;
    design.ac_chkmfill = value;
    design.ac_chkmoutline = value;
    design.ac_chkseconds = value;
    design.ac_chksfill = value;
    design.ac_chksoutline = value;
}

void setPos(ClockDesign& design) {
    const std::int16_t left = int16Of(design.edtLeft);
    const std::int16_t top = int16Of(design.edtTop);
    design.nDigitalLeft = left;
    design.nDigitalTop = top;
    displayConfirmedPosition(design.advancedLblConfirmedXY, left, top);
}

void setfont(ClockDesign& design, const std::string& szFont, std::int16_t nSize, bool bBold,
             bool bItalic) {
    design.strFont = szFont;
    design.nFSize = nSize;
    design.bFBold = bBold;
    design.bFItalic = bItalic;
    setFontLabel(design);
}

void setFontLabel(ClockDesign& design) {
    design.lblFont = design.strFont + ", " + std::to_string(design.nFSize);
    if (design.bFBold) {
        design.lblFont += ", bold";
    }
    if (design.bFItalic) {
        design.lblFont += ", italic";
    }
}

void copyPointColour(ClockDesign& design, TextField red, TextField green, TextField blue) {
    design.*red = std::to_string(design.pointred);
    design.*green = std::to_string(design.pointgreen);
    design.*blue = std::to_string(design.pointblue);
}

void cmdHFill_Click(ClockDesign& design) {
    copyPointColour(design, kVectorColours[0]);
}
void cmdHOL_Click(ClockDesign& design) {
    copyPointColour(design, kVectorColours[1]);
}
void cmdMFill_Click(ClockDesign& design) {
    copyPointColour(design, kVectorColours[2]);
}
void cmdMOL_Click(ClockDesign& design) {
    copyPointColour(design, kVectorColours[3]);
}
void cmdSFill_Click(ClockDesign& design) {
    copyPointColour(design, kVectorColours[4]);
}
void cmdSOL_Click(ClockDesign& design) {
    copyPointColour(design, kVectorColours[5]);
}

void cmdSeps_Click(ClockDesign& design) {
    copyPointColour(design, &ClockDesign::ac_edtSepR, &ClockDesign::ac_edtSepG,
                    &ClockDesign::ac_edtSepB);
}

void cmdSetAll_Click(ClockDesign& design) {
    for (const ColourTriple& triple : kVectorColours) {
        copyPointColour(design, triple);
    }
}

void cmdAll_Click(ClockDesign& design) {
    setAll(design, 1);
}
void cmdNone_Click(ClockDesign& design) {
    setAll(design, 0);
}
void cmdDefaults_Click(ClockDesign& design) {
    vectorDefaults(design);
}
void cmdDigitalDefault_Click(ClockDesign& design) {
    otherDefaults(design);
}
void cmdSetPos_Click(ClockDesign& design) {
    setPos(design);
}

void cmdOrder_Click(ClockDesign& design, const std::optional<std::string>& selectedEntry) {
    if (selectedEntry) {
        design.displayOrder = *selectedEntry;
    }
}

void cmdGetFont_Click(ClockDesign& design, Host& host) {
    const std::optional<FontChoice> choice = host.fontDialog();
    if (!choice || isBlankText(choice->name)) {
        return;
    }
    try {
        setfont(design, choice->name, toInt16(choice->size), choice->bold, choice->italic);
    } catch (const RuntimeError&) {
        // Any error of the dialog ends the handler silently; the font stays as it was.
    }
}

} // namespace dw::design
