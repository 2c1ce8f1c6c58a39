// The position operations of the designer session: the centre, the two top-lefts and the plot.
#include "render/centrefinding.h"
#include "render/centreplot.h"
#include "run/designersession.h"

namespace dw::run {

void DesignerSession::confirmCentre(std::int16_t x, std::int16_t y) {
    render::confirmCentre(mDesign, mGeometry, x, y);
}

void DesignerSession::refreshCentre() {
    render::refreshCentre(mDesign, mGeometry);
}

void DesignerSession::cmdSet_Click() {
    render::cmdSet_Click(mDesign, mGeometry);
}

void DesignerSession::cmdAutoCenter_Click() {
    render::cmdAutoCenter_Click(mDesign, mGeometry, mPictures);
}

void DesignerSession::cmdBMPautocentre_Click() {
    render::cmdBMPautocentre_Click(mDesign, mPictures);
}

void DesignerSession::cmdAutoCenterBox_Click() {
    render::cmdAutoCenterBox_Click(mDesign, mPictures);
}

void DesignerSession::plotCentre() {
    render::plotCentre(mPictures, mGeometry, mDesign, mHost, mRunState.saving);
}

} // namespace dw::run
