// The digital read-out operations of the designer session: the digital-mode run and the
// advanced settings window's "Auto Centre", which measures the read-out to centre it.
#include <string>

#include "design/advancedsettings.h"
#include "design/numbertext.h"
#include "run/designersession.h"

namespace dw::run {

void DesignerSession::digitalAnimation(RunOutput& output, bool bpreview) {
    runDigitalAnimation(*this, output, bpreview, mReadoutSize);
}

bool DesignerSession::getTopLeft() {
    const auto main = mPictures.window(design::PictureSlot::Main);
    if (!main) {
        return false;
    }
    mDesign.edtLeft = "0";
    mDesign.edtTop = "0";
    design::setPos(mDesign);
    RunOutput probe; // no export, no file, 1 frame per second
    digitalAnimation(probe, true);
    if (testwid() == 0 && testhei() == 0) {
        return false;
    }
    // During another run the main picture shows that run's frame; it is not ours to wipe.
    if (!mRunState.running && mRunState.idle) {
        quickReloadBackground();
    }
    const std::int32_t left = design::toInt32((main->scaleWidth() - testwid()) / 2.0);
    const std::int32_t top = design::toInt32((main->scaleHeight() - testhei()) / 2.0);
    mDesign.edtLeft = std::to_string(left);
    mDesign.edtTop = std::to_string(top);
    design::setPos(mDesign);
    return true;
}

void DesignerSession::cmdAutoCentre_Click() {
    guarded([this] { getTopLeft(); });
}

} // namespace dw::run
