#include "run/designersession.h"

#include "design/host.h"
#include "render/centrefinding.h"

namespace dw::run {

DesignerSession::DesignerSession(design::Host& host)
    : mRenderWindow(host), mHost(host), mToolbar(host), mPictures(host, mDesign, mIniDirectory) {
    design::resetDesign(mDesign, mToolbar);
    // The start values always fit, so the first refresh cannot raise a run-time error.
    render::refreshCentre(mDesign, mGeometry);
    mRenderWindow.get();
    // A design load lets the render window go; the next use makes a fresh one.
    setRenderWindowUnloader([this] { unloadRenderWindow(); });
    // The component registration check and the advanced settings window
    // join the opening here as their modules arrive.
}

DesignerSession::~DesignerSession() = default;

void DesignerSession::reportRuntimeError(const std::string& description) {
    mHost.showMessage(description, design::MessageIcon::Information);
}

} // namespace dw::run
