// The design window's centre area: radii and centre, the inner circle, the hand reflections and
// the positioner tools.
#include <QGroupBox>

#include "run/designersession.h"
#include "shell/controlbinder.h"
#include "shell/designwindow.h"

namespace dw::shell {

namespace {

using D = design::ClockDesign;
using S = run::DesignerSession;

const Cell kCentreCells[] = {
    caption("Radius", 0, 0, "radius"),
    edit("radius", &D::radius, 0, 1),
    caption("Inner radius", 0, 2, "innerRadius"),
    edit("innerRadius", &D::innerradius, 0, 3),
    checkBox("useInnerRadius", "&Use IR", &D::useir, 0, 4),
    caption("Centre x", 1, 0, "txtLeft"),
    edit("txtLeft", &D::txtLeft, 1, 1),
    caption("y", 1, 2, "txtTop"),
    edit("txtTop", &D::txtTop, 1, 3),
    label("Label1", &D::Label1, 1, 4),
    button(
        "cmdSet", "Set centre", [](S& s) { s.cmdSet_Click(); }, 2, 0),
    button(
        "cmdAutoCenter", "Auto Centre", [](S& s) { s.cmdAutoCenter_Click(); }, 2, 2),
};

const Cell kInnerCircleCells[] = {
    checkBox("chkFillIR", "F&ill IR", &D::fillir, 0, 0),
    edit("firR", &D::fillirr, 0, 1),
    edit("firG", &D::fillirg, 0, 2),
    edit("firB", &D::fillirb, 0, 3),
    checkBox("chkOutlineIR", "&Outln", &D::outlineir, 1, 0),
    edit("oirR", &D::outlineirr, 1, 1),
    edit("oirG", &D::outlineirg, 1, 2),
    edit("oirB", &D::outlineirb, 1, 3),
    caption("w", 1, 4, "oirW"),
    edit("oirW", &D::outlineirw, 1, 5),
};

const Cell kReflectionCells[] = {
    checkBox("chkSHR", "&Second hand reflection of", &D::secondreflection, 0, 0),
    edit("edtSRLen", &D::shrd, 0, 1),
    caption("%", 0, 2),
    checkBox("chkHHR", "&Hour hand reflection of", &D::chkhhr, 1, 0),
    edit("edtHRLen", &D::edtHRLen, 1, 1),
    caption("%", 1, 2),
    checkBox("chkMHR", "M&inute hand reflection of", &D::chkmhr, 2, 0),
    edit("edtMRLen", &D::edtMRLen, 2, 1),
    caption("%", 2, 2),
};

// The tools' own click behaviour runs after the value is written (the afterChange column); the
// tool colour follows every change of its three boxes, a load's included.
const Cell kPositionerCells[] = {
    checkBox("chkCirc", "Circle Positioner", &D::circ, 0, 0, 1, &S::chkCirc_Click),
    checkBox("chkRect", "Rectangle Positioner", &D::rect, 0, 1, 1, &S::chkRect_Click),
    caption("Colour", 1, 0),
    edit("ctr", &D::ctr, 1, 1, 1, &S::updateCircToolColour),
    edit("ctg", &D::ctg, 1, 2, 1, &S::updateCircToolColour),
    edit("ctb", &D::ctb, 1, 3, 1, &S::updateCircToolColour),
};

} // namespace

QGroupBox* DesignWindow::centreFrame() {
    return mBinder->frame(tr("Centre"), kCentreCells, FrameLayout::Rows);
}

QGroupBox* DesignWindow::innerCircleFrame() {
    return mBinder->frame(tr("Inner circle"), kInnerCircleCells);
}

QGroupBox* DesignWindow::reflectionsFrame() {
    return mBinder->frame(tr("Reflections"), kReflectionCells);
}

QGroupBox* DesignWindow::positionersFrame() {
    return mBinder->frame(tr("Positioners"), kPositionerCells, FrameLayout::Rows);
}

} // namespace dw::shell
