#include "run/designersession.h"

#include "design/host.h"
#include "render/centrefinding.h"

namespace dw::run {

DesignerSession::DesignerSession(design::Host& host)
    : mHost(host), mToolbar(host), mPictures(host, mDesign, mIniDirectory), mRenderWindow(host) {
    design::resetDesign(mDesign, mToolbar);
    // The start values always fit, so the first refresh cannot raise a run-time error.
    render::refreshCentre(mDesign, mGeometry);
    mRenderWindow.get();
    // A design load lets the render window go; the next use makes a fresh one.
    setRenderWindowUnloader([this] { unloadRenderWindow(); });
}

DesignerSession::~DesignerSession() = default;

void DesignerSession::reportRuntimeError(const std::string& description) {
    mHost.showMessage(description, design::MessageIcon::Information);
}

} // namespace dw::run
