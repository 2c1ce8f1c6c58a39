#include "render/centreplot.h"

#include <QPoint>

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/pictureslots.h"
#include "design/picturewindowmodel.h"
#include "render/handgeometry.h"
#include "render/surfacepainter.h"

namespace dw::render {

namespace {

// One pass: the centre pixel, then for every `step`-th row the second-hand tip and the inner
// circle, each as a line to the next pixel whose end is left out.
void drawPass(design::Picture& picture, const HandTables& tables, const design::ClockDesign& design,
              int step) {
    platform::SetPixel(picture.handle(), design.centrex, design.centrey, kPlotColour);
    SurfacePainter painter(picture);
    painter.setPenWidth(1);
    const auto mark = [&painter](QPoint p) {
        painter.drawLine(p, p + QPoint(1, 0), kPlotColour, LineEnd::Excluded);
    };
    for (int row = 0; row <= 360; row += step) {
        mark(tables.secondTip.at(row));
        mark(tables.innerCircle.at(row));
    }
}

} // namespace

void plotCentrePoints(design::PictureWindowModel& window, HandGeometry& geometry,
                      const design::ClockDesign& design, design::Host& host) {
    window.restore();
    geometry.computeHandTables(design);
    drawPass(window.Picture1(), geometry.tables(), design, 6);
    window.pictureChanged();
    host.showMessage("Step 6", design::MessageIcon::None);

    // The message lets commands run meanwhile, which may recompute the tables: look them up
    // again rather than keep a reference across it.
    window.restore();
    drawPass(window.Picture1(), geometry.tables(), design, 1);
    window.pictureChanged();
    host.showMessage("Step 1", design::MessageIcon::None);
}

void plotCentre(const design::PictureSlots& pictures, HandGeometry& geometry,
                const design::ClockDesign& design, design::Host& host, bool saving) {
    if (saving) {
        host.showMessage("Save in progress", design::MessageIcon::Information);
        return;
    }
    // Held for the whole plot: an unload during a message must not free the window drawn on.
    const auto main = pictures.window(design::PictureSlot::Main);
    if (!main) {
        return;
    }
    plotCentrePoints(*main, geometry, design, host);
}

} // namespace dw::render
