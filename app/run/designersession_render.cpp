// The render window, bitmap-hand work pictures and previews of the designer session.
#include "design/host.h"
#include "render/preview.h"
#include "run/designersession.h"

namespace dw::run {

namespace {
constexpr const char* kSaveInProgress = "Save in progress";
}

void DesignerSession::showInRenderWindow(const design::Picture& picture) {
    mRenderWindow.get().showPicture(picture);
}

void DesignerSession::loadWorkPictures() {
    mBitmapHands.loadWorkPictures(mPictures);
}

void DesignerSession::cmdPreview() {
    // An export in progress may be writing the render window's picture as its frame.
    if (mRunState.saving) {
        mHost.showMessage(kSaveInProgress, design::MessageIcon::Information);
        return;
    }
    render::PreviewContext context{mHost, mDesign, mPictures, mRenderWindow, mBitmapHands};
    render::erasePreview(context);
}

void DesignerSession::cmdPreviewBMP() {
    if (mRunState.saving) {
        mHost.showMessage(kSaveInProgress, design::MessageIcon::Information);
        return;
    }
    render::PreviewContext context{mHost, mDesign, mPictures, mRenderWindow, mBitmapHands};
    render::bitmapPreview(context);
}

render::FrameContext DesignerSession::frameContext() {
    return render::FrameContext{mDesign, mGeometry, mPictures, mRenderWindow, mBitmapHands};
}

} // namespace dw::run
