#pragma once
// A Host that passes everything on to another, except that while a capture is on it keeps the
// messages instead of showing them and records the status texts it passes on. Commands that run
// a design many times over (a contact sheet, a motion plot) read a run's refusal or its frame
// count from it without the user seeing a message box for every run.
#include <string>
#include <vector>

#include "design/host.h"

namespace dw::design {

class HostTap : public Host {
public:
    // `inner` must outlive the tap.
    explicit HostTap(Host& inner) : mInner(inner) {}

    // Starts keeping messages and status texts, dropping what an earlier capture kept.
    void beginCapture();
    // Stops keeping; what was kept stays readable until the next beginCapture.
    void endCapture() { mCapturing = false; }
    bool capturing() const { return mCapturing; }
    const std::vector<std::string>& messages() const { return mMessages; }
    // The texts set on panel "STA_FRAMECOUNT", in order.
    const std::vector<std::string>& frameCounts() const { return mFrameCounts; }

    void showMessage(const std::string& text, MessageIcon icon) override;
    void showCaptionedMessage(const std::string& text, const std::string& caption,
                              MessageIcon icon) override;
    std::string openFileDialog(const std::string& filter,
                               const std::string& initialDirectory) override {
        return mInner.openFileDialog(filter, initialDirectory);
    }
    std::string saveFileDialog(const std::string& filter,
                               const std::string& initialDirectory) override {
        return mInner.saveFileDialog(filter, initialDirectory);
    }
    std::optional<FontChoice> fontDialog() override { return mInner.fontDialog(); }
    void yield() override { mInner.yield(); }
    std::uint32_t tickCount() override { return mInner.tickCount(); }
    void setStatusText(const std::string& panelKey, const std::string& text) override;
    void windowChanged(const std::string& windowName, WindowEvent event) override {
        mInner.windowChanged(windowName, event);
    }

private:
    Host& mInner;
    bool mCapturing = false;
    std::vector<std::string> mMessages;
    std::vector<std::string> mFrameCounts;
};

} // namespace dw::design
