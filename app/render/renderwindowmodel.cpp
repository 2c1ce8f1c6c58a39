#include "render/renderwindowmodel.h"

#include "design/host.h"

namespace dw::render {

using design::WindowEvent;

RenderWindowModel::RenderWindowModel(design::Host& host) : mHost(host) {}

void RenderWindowModel::showPicture(const design::Picture& picture) {
    mPicture1.copyFrom(picture);
    pictureChanged();
    show();
}

void RenderWindowModel::show() {
    // Told every time: a window already shown is still brought to the front.
    mVisible = true;
    mHost.windowChanged(kRenderWindow, WindowEvent::Shown);
}

void RenderWindowModel::hide() {
    if (!mVisible) {
        return;
    }
    mVisible = false;
    mHost.windowChanged(kRenderWindow, WindowEvent::Hidden);
}

bool RenderWindowModel::requestClose() {
    if (bSaving) {
        mHost.showMessage(kCannotExit, design::MessageIcon::Information);
        return false;
    }
    return true;
}

void RenderWindowModel::unload() {
    hide();
    mHost.windowChanged(kRenderWindow, WindowEvent::Unloaded);
}

void RenderWindowModel::pictureChanged() {
    mHost.windowChanged(kRenderWindow, WindowEvent::PictureChanged);
}

} // namespace dw::render
