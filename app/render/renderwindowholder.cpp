#include "render/renderwindowholder.h"

#include <utility>

namespace dw::render {

RenderWindowHolder::RenderWindowHolder(design::Host& host) : mHost(host) {}

RenderWindowHolder::~RenderWindowHolder() = default;

std::shared_ptr<RenderWindowModel> RenderWindowHolder::shared() {
    if (!mWindow) {
        mWindow = std::make_shared<RenderWindowModel>(mHost);
    }
    return mWindow;
}

bool RenderWindowHolder::unload() {
    if (!mWindow) {
        return true;
    }
    if (!mWindow->requestClose()) {
        return false;
    }
    // Forgotten before the view is told, so that the view finds no window when it asks.
    std::exchange(mWindow, nullptr)->unload();
    return true;
}

} // namespace dw::render
