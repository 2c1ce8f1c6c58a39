// The advanced settings window's "Digital settings" frame: the read-out's texts, switches,
// separator colour, font and position.
#include <QGroupBox>

#include "design/advancedsettings.h"
#include "run/designersession.h"
#include "shell/advancedsettingswindow.h"
#include "shell/controlbinder.h"

namespace dw::shell {

namespace {

using D = design::ClockDesign;
using S = run::DesignerSession;

const Cell kDigitalCells[] = {
    caption("&Display", 0, 0, "edtHead"),
    edit("edtHead", &D::ac_edtHead, 0, 0),
    caption("hh", 0, 0),
    edit("edtHourSep", &D::ac_edtHourSep, 0, 0),
    caption("mm", 0, 0),
    edit("edtMinSep", &D::ac_edtMinSep, 0, 0),
    caption("ss", 0, 0),
    edit("edtTail", &D::ac_edtTail, 0, 0),

    checkBox("chkFlash", "&Flash separator every", &D::ac_chkFlash, 1, 0),
    edit("edtFlashEvery", &D::ac_FlashEvery, 1, 0),
    caption("frames", 1, 0),
    checkBox("chkInitiallyOn", "Initially On", &D::ac_chkInitiallyOn, 1, 0),

    checkBox("chkHourMode", "24\\12 hour", &D::ac_chkHourMode, 2, 0),
    checkBox("chkAMPM", "Start AM\\PM", &D::ac_chkAMPM, 2, 0),
    caption("AM", 2, 0, "edtAM"),
    edit("edtAM", &D::ac_edtAM, 2, 0),
    caption("PM", 2, 0, "edtPM"),
    edit("edtPM", &D::ac_edtPM, 2, 0),

    checkBox("chkAMPMpos", "AMPM@ss\\hh", &D::ac_chkAMPMpos, 3, 0),
    checkBox("chkAsc", "Asc\\Desc", &D::ac_chkAsc, 3, 0),
    checkBox("chkSecondsOnly", "Seconds only", &D::ac_chkSecondsOnly, 3, 0),
    checkBox("chkZE", "0 extend s.o.", &D::ac_chkZE, 3, 0),

    caption("&Seps", 4, 0, "edtSepR"),
    caption("r", 4, 0, "edtSepR"),
    edit("edtSepR", &D::ac_edtSepR, 4, 0),
    caption("g", 4, 0, "edtSepG"),
    edit("edtSepG", &D::ac_edtSepG, 4, 0),
    caption("b", 4, 0, "edtSepB"),
    edit("edtSepB", &D::ac_edtSepB, 4, 0),
    button(
        "cmdSeps", "Colour From Point", [](S& s) { design::cmdSeps_Click(s.design()); }, 4, 0),

    button(
        "cmdGetFont", "Show fonts", [](S& s) { design::cmdGetFont_Click(s.design(), s.host()); }, 5,
        0),
    label("lblFont", &D::lblFont, 5, 0),

    caption("&Top left", 6, 0, "edtLeft"),
    edit("edtLeft", &D::edtLeft, 6, 0),
    edit("edtTop", &D::edtTop, 6, 0),
    button(
        "cmdSetPos", "Set Top Left", [](S& s) { design::cmdSetPos_Click(s.design()); }, 6, 0),
    button(
        "cmdAutoCentre", "Auto Centre", [](S& s) { s.cmdAutoCentre_Click(); }, 6, 0),

    label("lblConfirmedXY", &D::advancedLblConfirmedXY, 7, 0),
    button(
        "cmdDigitalDefault", "Restore Defaults",
        [](S& s) { design::cmdDigitalDefault_Click(s.design()); }, 7, 0),
};

} // namespace

QGroupBox* AdvancedSettingsWindow::digitalFrame() {
    return mBinder->frame(tr("Digital settings"), kDigitalCells, FrameLayout::Rows);
}

} // namespace dw::shell
