// The design window's hand frame and its colour tools.
#include <QGroupBox>

#include "design/colourtools.h"
#include "run/designersession.h"
#include "shell/controlbinder.h"
#include "shell/designwindow.h"

namespace dw::shell {

namespace {

using D = design::ClockDesign;
using S = run::DesignerSession;

const Cell kHandCells[] = {
    caption("Red", 0, 1),
    caption("Green", 0, 2),
    caption("Blue", 0, 3),
    caption("Width", 0, 4),
    caption("Length %", 0, 5),
    caption("Hour", 1, 0),
    edit("edtRed", &D::hred, 1, 1),
    edit("edtGreen", &D::hgreen, 1, 2),
    edit("edtBlue", &D::hblue, 1, 3),
    edit("hWid", &D::hw, 1, 4),
    edit("hLen", &D::hd, 1, 5),
    caption("Minute", 2, 0),
    edit("edtMred", &D::mred, 2, 1),
    edit("edtMgreen", &D::mgreen, 2, 2),
    edit("edtMblue", &D::mblue, 2, 3),
    edit("mWid", &D::mw, 2, 4),
    edit("mLen", &D::md, 2, 5),
    caption("Second", 3, 0),
    edit("edtSred", &D::sred, 3, 1),
    edit("edtSgreen", &D::sgreen, 3, 2),
    edit("edtSblue", &D::sblue, 3, 3),
    edit("sWid", &D::sw, 3, 4),
    edit("sLen", &D::sd, 3, 5),
};

const Cell kColourToolCells[] = {
    button(
        "setAll", "Set all HMS colours", [](S& s) { design::setAll_Click(s.design()); }, 0, 0),
    edit("all", &D::setallcolors, 0, 1),
    button(
        "Replace", "Replace HMS Colour", [](S& s) { design::Replace_Click(s.design()); }, 1, 0),
    edit("src", &D::replacecolor, 1, 1),
    caption("with", 1, 2, "dest"),
    edit("dest", &D::replacewith, 1, 3),
    button(
        "setFromPt", "Set HMS Colours From Point",
        [](S& s) { design::setFromPt_Click(s.design()); }, 2, 0),
    caption("Picked:", 3, 0, "lblColour"),
    label("lblColour", &D::lblColour, 3, 1),
};

} // namespace

QGroupBox* DesignWindow::handFrame() {
    return mBinder->frame(tr("&Hand properties"), kHandCells);
}

QGroupBox* DesignWindow::colourToolsFrame() {
    return mBinder->frame(tr("Colour tools"), kColourToolCells, FrameLayout::Rows);
}

} // namespace dw::shell
