// The design window's run settings and modes: the time frame, bitmap mode, erase settings and
// digital mode, with the preview buttons of the two picture modes.
#include <QGroupBox>

#include "design/colourtools.h"
#include "design/confirmedpositions.h"
#include "run/designersession.h"
#include "shell/controlbinder.h"
#include "shell/designwindow.h"

namespace dw::shell {

namespace {

using D = design::ClockDesign;
using S = run::DesignerSession;

const Cell kTimeCells[] = {
    caption("Start time", 0, 0, "edtHours"),
    edit("edtHours", &D::timeh, 0, 1),
    caption(":", 0, 2),
    edit("edtMins", &D::timem, 0, 3),
    caption(":", 0, 4),
    edit("edtSecs", &D::times, 0, 5),
    caption("&Duration", 1, 0, "edtDuration"),
    edit("edtDuration", &D::duration, 1, 1),
    caption("&Copy FPS", 1, 2, "FPS"),
    edit("FPS", &D::copyfps, 1, 3),
    checkBox("synctest", "&Sync test", &D::synctest, 1, 4),
};

const Cell kBitmapCells[] = {
    checkBox("chkBitmap", "&Bitmap mode", &D::chkBitmap, 0, 0),
    button(
        "cmdPreviewBMP", "Preview", [](S& s) { s.cmdPreviewBMP(); }, 0, 1),
    caption("Transparency", 1, 0, "edtBMPR"),
    edit("edtBMPR", &D::bmptransr, 1, 1),
    edit("edtBMPG", &D::bmptransg, 1, 2),
    edit("edtBMPB", &D::bmptransb, 1, 3),
    button(
        "cmdRGBFromPoint", "Set Bitmap Transparency Colour From Point",
        [](S& s) { design::cmdRGBFromPoint_Click(s.design()); }, 2, 0),
    caption("Top left", 3, 0, "edtBMPX"),
    edit("edtBMPX", &D::edtBMPX, 3, 1),
    edit("edtBMPY", &D::edtBMPY, 3, 2),
    label("lblConfirmedBMPXY", &D::lblConfirmedBMPXY, 3, 3),
    button(
        "cmdBMPcentre", "Set Top Left", [](S& s) { design::cmdBMPcentre_Click(s.design()); }, 4, 0),
    button(
        "cmdBMPautocentre", "Auto Centre", [](S& s) { s.cmdBMPautocentre_Click(); }, 4, 1),
};

// chkErase's click applies the erase-mode presets (the afterChange column).
const Cell kEraseCells[] = {
    checkBox("chkErase", "&Erase mode", &D::erase, 0, 0, 1, &S::chkErase_Click),
    checkBox("chkUseBackground", "&Use Background", &D::usebackground, 0, 1),
    button(
        "cmdPreview", "Preview", [](S& s) { s.cmdPreview(); }, 0, 2),
    caption("Transparency", 1, 0, "edtTransR"),
    edit("edtTransR", &D::transr, 1, 1),
    edit("edtTransG", &D::transg, 1, 2),
    edit("edtTransB", &D::transb, 1, 3),
    button(
        "cmdFromPoint", "Set Erase Transparency Colour From Point",
        [](S& s) { design::cmdFromPoint_Click(s.design()); }, 2, 0),
    caption("Top left", 3, 0, "edtX"),
    edit("edtX", &D::edtX, 3, 1),
    edit("edtY", &D::edtY, 3, 2),
    label("lblConfirmedXY", &D::lblConfirmedXY, 3, 3),
    button(
        "cmdSetTopLeft", "Set Top Left", [](S& s) { design::cmdSetTopLeft_Click(s.design()); }, 4,
        0),
    button(
        "cmdAutoCenterBox", "Auto Centre", [](S& s) { s.cmdAutoCenterBox_Click(); }, 4, 1),
};

const Cell kDigitalCells[] = {
    checkBox("chkDigital", "&Digital mode", &D::chkDigital, 0, 0),
};

} // namespace

QGroupBox* DesignWindow::timeFrame() {
    return mBinder->frame(tr("&Time"), kTimeCells, FrameLayout::Rows);
}

QGroupBox* DesignWindow::bitmapFrame() {
    return mBinder->frame(tr("&Bitmap mode"), kBitmapCells, FrameLayout::Rows);
}

QGroupBox* DesignWindow::eraseFrame() {
    return mBinder->frame(tr("&Erase settings"), kEraseCells, FrameLayout::Rows);
}

QGroupBox* DesignWindow::digitalFrame() {
    return mBinder->frame(tr("Digital"), kDigitalCells, FrameLayout::Rows);
}

} // namespace dw::shell
