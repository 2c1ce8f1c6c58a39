#include "design/hosttap.h"

namespace dw::design {

void HostTap::beginCapture() {
    mMessages.clear();
    mFrameCounts.clear();
    mCapturing = true;
}

void HostTap::showMessage(const std::string& text, MessageIcon icon) {
    if (mCapturing) {
        mMessages.push_back(text);
        return;
    }
    mInner.showMessage(text, icon);
}

void HostTap::showCaptionedMessage(const std::string& text, const std::string& caption,
                                   MessageIcon icon) {
    if (mCapturing) {
        mMessages.push_back(text);
        return;
    }
    mInner.showCaptionedMessage(text, caption, icon);
}

void HostTap::setStatusText(const std::string& panelKey, const std::string& text) {
    if (mCapturing && panelKey == "STA_FRAMECOUNT") {
        mFrameCounts.push_back(text);
    }
    mInner.setStatusText(panelKey, text);
}

} // namespace dw::design
