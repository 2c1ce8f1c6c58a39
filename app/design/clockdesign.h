#pragma once
// The clock design record: every field of a design, named by its INI key (or, without a key, by
// the control or variable that holds it). Number text is kept exactly as typed and parsed at each
// use by the number module; checks are 0 off, 1 on, 2 grey.
#include <array>
#include <cstdint>
#include <string>

namespace dw::design {

class ToolbarButtons;

struct ClockDesign {
    // Hand line settings.
    std::string hred = "255", hgreen = "255", hblue = "255";
    std::string hw = "4";  // hour hand width (hWid)
    std::string hd = "60"; // hour hand length, percent of the radius (hLen)
    std::string mred = "255", mgreen = "255", mblue = "255";
    std::string mw = "3";
    std::string md = "75";
    std::string sred = "255", sgreen = "255", sblue = "255";
    std::string sw = "2";
    std::string sd = "100";
    std::string setallcolors = "255"; // the "all" box
    std::string replacecolor = "255"; // the "src" box
    std::string replacewith = "0";    // the "dest" box

    // Radii, centre and inner circle.
    std::string radius = "64";
    std::string innerradius = "10";
    std::int16_t useir = 1;
    std::int16_t centrex = 160, centrey = 90; // confirmed centre
    std::string txtLeft, txtTop;             // centre as typed
    std::int16_t fillir = 0;
    std::string fillirr = "255", fillirg = "255", fillirb = "255";
    std::int16_t outlineir = 0;
    std::string outlineirr = "255", outlineirg = "255", outlineirb = "255";
    std::string outlineirw = "1";
    std::int16_t circ = 0;
    std::int16_t rect = 0;
    std::string ctr = "255", ctg = "255", ctb = "255";

    // Hand reflections.
    std::int16_t secondreflection = 0;
    std::string shrd = "40";
    std::int16_t chkhhr = 0;
    std::string edtHRLen = "40";
    std::int16_t chkmhr = 0;
    std::string edtMRLen = "40";

    // Time and run settings (the four movement flags live in ToolbarButtons).
    std::string timeh = "9", timem = "10", times = "30";
    std::string duration = "60";
    std::string copyfps = "1";
    std::int16_t synctest = 1;

    // Pictures, erase mode and bitmap hands. File names are relative to the INI directory.
    std::string image;
    std::int16_t erase = 0;
    std::string background;
    std::int16_t usebackground = 0;
    std::string transr = "255", transg = "255", transb = "255";
    std::string edtX, edtY;                       // erase top-left as typed
    std::int16_t eraseTopLeftX = 0, eraseTopLeftY = 0; // confirmed erase top-left (not saved)
    std::int16_t chkBitmap = 0;
    std::string hourbitmap, minutebitmap, secondbitmap, topbitmap;
    std::string bmptransr = "255", bmptransg = "255", bmptransb = "255";
    std::string edtBMPX, edtBMPY;             // bitmap-hand top-left as typed
    std::int16_t bmptopx = 0, bmptopy = 0;    // confirmed bitmap-hand top-left

    // Digital mode and the analog drawing order (strDisplayOrder).
    std::int16_t chkDigital = 0;
    std::string displayOrder = "shm";

    // Four-point vector hands (advanced settings window), one row per hand.
    std::int16_t ac_chkhours = 0, ac_chkminutes = 0, ac_chkseconds = 0;
    std::string ac_hhc = "75", ac_mhc = "50", ac_shc = "15"; // shoulder distance
    std::string ac_hpd = "5", ac_mpd = "4", ac_spd = "10";   // shoulder angle
    std::int16_t ac_chkhfill = 0, ac_chkmfill = 0, ac_chksfill = 0;
    std::int16_t ac_chkhoutline = 0, ac_chkmoutline = 0, ac_chksoutline = 0;
    std::string ac_fpvh_fillR = "255", ac_fpvh_fillG = "255", ac_fpvh_fillB = "255";
    std::string ac_fpvh_outR = "255", ac_fpvh_outG = "255", ac_fpvh_outB = "255";
    std::string ac_fpvh_HW = "1";
    std::string ac_fpvm_fillR = "255", ac_fpvm_fillG = "255", ac_fpvm_fillB = "255";
    std::string ac_fpvm_outR = "255", ac_fpvm_outG = "255", ac_fpvm_outB = "255";
    std::string ac_fpvm_HW = "1";
    std::string ac_fpvs_fillR = "255", ac_fpvs_fillG = "255", ac_fpvs_fillB = "255";
    std::string ac_fpvs_outR = "255", ac_fpvs_outG = "255", ac_fpvs_outB = "255";
    std::string ac_fpvs_HW = "1";
    std::int16_t ac_straighten = 0;

    // Digital read-out (advanced settings window).
    std::int16_t ac_chkFlash = 0;
    std::string ac_FlashEvery = "15";
    std::string ac_edtHead;
    std::string ac_edtHourSep = ":";
    std::string ac_edtMinSep = ":";
    std::string ac_edtTail;
    std::string strFont;            // "ac_strFont"
    std::int16_t nFSize = 0;        // "ac_nFSize"
    bool bFBold = false;            // "ac_bFBold"
    bool bFItalic = false;          // "ac_bFItalic"
    std::string ac_edtSepR = "255", ac_edtSepG = "255", ac_edtSepB = "255";
    std::string edtTop, edtLeft;    // read-out top-left as typed
    std::int16_t nDigitalTop = 0;   // "ac_dcTop", confirmed
    std::int16_t nDigitalLeft = 0;  // "ac_dcLeft", confirmed
    std::int16_t ac_chkInitiallyOn = 1;
    std::int16_t ac_chkHourMode = 1;
    std::int16_t ac_chkAMPM = 1;
    std::string ac_edtAM, ac_edtPM;
    std::int16_t ac_chkAMPMpos = 1;
    std::int16_t ac_chkAsc = 1;
    std::int16_t ac_chkSecondsOnly = 0;
    std::int16_t ac_chkZE = 0;

    // Design-window state that goes with the record but is not saved.
    std::array<std::int16_t, 6> jitterOffsets{0, 2, -2, -2, 2, 0};
    std::int16_t pointred = 0, pointgreen = 0, pointblue = 0; // the picked colour

    // Captions of the labels that show confirmed values.
    std::string Label1;                 // confirmed centre
    std::string lblConfirmedBMPXY;      // confirmed bitmap-hand top-left
    std::string lblConfirmedXY;         // confirmed erase top-left
    std::string lblColour;              // the picked colour
    std::string lblFont;                // advanced window: the chosen font
    std::string advancedLblConfirmedXY; // advanced window: confirmed read-out top-left
};

// Sets centre 160, 90, radius "64", the jitter offsets, erase and bitmap mode off, and the six
// movement buttons up. Every other field keeps its value.
void resetDesign(ClockDesign& design, ToolbarButtons& toolbar);

// Sets the fields that files older than 0.9 do not hold.
void applyVersion09Defaults(ClockDesign& design);

} // namespace dw::design
