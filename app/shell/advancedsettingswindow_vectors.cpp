// The advanced settings window's "4 point vectoring" frame: one block of rows per hand, then the
// buttons for all three.
#include <vector>

#include <QGroupBox>

#include "design/advancedsettings.h"
#include "run/designersession.h"
#include "shell/advancedsettingswindow.h"
#include "shell/controlbinder.h"

namespace dw::shell {

namespace {

using D = design::ClockDesign;
using S = run::DesignerSession;

// The controls of one hand's rows: names, captions and fields.
struct VectorHandRow {
    const char* enable;
    const char* enableCaption;
    CheckField enableField;
    const char* highCentre;
    TextField highCentreField;
    const char* polarDistance;
    TextField polarDistanceField;
    const char* fill;
    CheckField fillField;
    const char* fillColour[3];
    TextField fillColourFields[3];
    const char* fillButton;
    ButtonAction fillAction;
    const char* outline;
    CheckField outlineField;
    const char* outlineColour[3];
    TextField outlineColourFields[3];
    const char* width;
    TextField widthField;
    const char* outlineButton;
    ButtonAction outlineAction;
};

const VectorHandRow kHands[] = {
    {"chkHours",
     "&Hours",
     &D::ac_chkhours,
     "txtHHC",
     &D::ac_hhc,
     "txtHPD",
     &D::ac_hpd,
     "chkHFill",
     &D::ac_chkhfill,
     {"fpvh_fillR", "fpvh_fillG", "fpvh_fillB"},
     {&D::ac_fpvh_fillR, &D::ac_fpvh_fillG, &D::ac_fpvh_fillB},
     "cmdHFill",
     [](S& s) { design::cmdHFill_Click(s.design()); },
     "chkHOutline",
     &D::ac_chkhoutline,
     {"fpvh_outR", "fpvh_outG", "fpvh_outB"},
     {&D::ac_fpvh_outR, &D::ac_fpvh_outG, &D::ac_fpvh_outB},
     "txtHW",
     &D::ac_fpvh_HW,
     "cmdHOL",
     [](S& s) { design::cmdHOL_Click(s.design()); }},
    {"chkMinutes",
     "&Minutes",
     &D::ac_chkminutes,
     "txtMHC",
     &D::ac_mhc,
     "txtMPD",
     &D::ac_mpd,
     "chkMFill",
     &D::ac_chkmfill,
     {"fpvm_fillR", "fpvm_fillG", "fpvm_fillB"},
     {&D::ac_fpvm_fillR, &D::ac_fpvm_fillG, &D::ac_fpvm_fillB},
     "cmdMFill",
     [](S& s) { design::cmdMFill_Click(s.design()); },
     "chkMOutline",
     &D::ac_chkmoutline,
     {"fpvm_outR", "fpvm_outG", "fpvm_outB"},
     {&D::ac_fpvm_outR, &D::ac_fpvm_outG, &D::ac_fpvm_outB},
     "txtMW",
     &D::ac_fpvm_HW,
     "cmdMOL",
     [](S& s) { design::cmdMOL_Click(s.design()); }},
    {"chkSeconds",
     "&Seconds",
     &D::ac_chkseconds,
     "txtSHC",
     &D::ac_shc,
     "txtSPD",
     &D::ac_spd,
     "chkSFill",
     &D::ac_chksfill,
     {"fpvs_fillR", "fpvs_fillG", "fpvs_fillB"},
     {&D::ac_fpvs_fillR, &D::ac_fpvs_fillG, &D::ac_fpvs_fillB},
     "cmdSFill",
     [](S& s) { design::cmdSFill_Click(s.design()); },
     "chkSOutline",
     &D::ac_chksoutline,
     {"fpvs_outR", "fpvs_outG", "fpvs_outB"},
     {&D::ac_fpvs_outR, &D::ac_fpvs_outG, &D::ac_fpvs_outB},
     "txtSW",
     &D::ac_fpvs_HW,
     "cmdSOL",
     [](S& s) { design::cmdSOL_Click(s.design()); }},
};

const Cell kButtonCells[] = {
    button(
        "cmdAll", "Enable All", [](S& s) { design::cmdAll_Click(s.design()); }, 0, 0),
    button(
        "cmdNone", "Enable None", [](S& s) { design::cmdNone_Click(s.design()); }, 0, 1),
    button(
        "cmdSetAll", "Set HMS Colours From Point",
        [](S& s) { design::cmdSetAll_Click(s.design()); }, 1, 0),
    button(
        "cmdDefaults", "Restore Defaults", [](S& s) { design::cmdDefaults_Click(s.design()); }, 1,
        1),
};

constexpr const char* kColourCaptions[] = {"r", "g", "b"};

void addColour(std::vector<Cell>& cells, const char* const names[3], const TextField fields[3],
               int row) {
    for (int i = 0; i < 3; ++i) {
        cells.push_back(caption(kColourCaptions[i], row, 0, names[i]));
        cells.push_back(edit(names[i], fields[i], row, 0));
    }
}

// Rows are packed in cell order, so only the row numbers matter here.
std::vector<Cell> vectorCells() {
    std::vector<Cell> cells;
    int row = 0;
    for (const VectorHandRow& hand : kHands) {
        cells.push_back(checkBox(hand.enable, hand.enableCaption, hand.enableField, row, 0));
        cells.push_back(caption("High centre", row, 0, hand.highCentre));
        cells.push_back(edit(hand.highCentre, hand.highCentreField, row, 0));
        cells.push_back(caption("% of radius", row, 0));
        cells.push_back(caption("&Polar distance", row + 1, 0, hand.polarDistance));
        cells.push_back(edit(hand.polarDistance, hand.polarDistanceField, row + 1, 0));
        cells.push_back(caption("% of radius", row + 1, 0));
        cells.push_back(checkBox(hand.fill, "&Fill", hand.fillField, row + 2, 0));
        addColour(cells, hand.fillColour, hand.fillColourFields, row + 2);
        cells.push_back(button(hand.fillButton, "Colour From Point", hand.fillAction, row + 2, 0));
        cells.push_back(checkBox(hand.outline, "&Outline", hand.outlineField, row + 3, 0));
        addColour(cells, hand.outlineColour, hand.outlineColourFields, row + 3);
        cells.push_back(caption("w", row + 3, 0, hand.width));
        cells.push_back(edit(hand.width, hand.widthField, row + 3, 0));
        cells.push_back(
            button(hand.outlineButton, "Colour From Point", hand.outlineAction, row + 3, 0));
        row += 4;
    }
    for (Cell cell : kButtonCells) {
        cell.row += row;
        cells.push_back(cell);
    }
    return cells;
}

} // namespace

QGroupBox* AdvancedSettingsWindow::vectorFrame() {
    return mBinder->frame(tr("4 point vectoring"), vectorCells(), FrameLayout::Rows);
}

} // namespace dw::shell
