#pragma once
// A Host that passes everything on to another except messages, which it drops: for a pass that
// repeats on every mouse move and must not raise the same message box again and again.
#include "design/host.h"

namespace dw::design {

class MutedHost final : public Host {
public:
    // `host` must outlive this one.
    explicit MutedHost(Host& host) : mHost(host) {}

    void showMessage(const std::string&, MessageIcon) override {}
    std::string openFileDialog(const std::string& filter, const std::string& dir) override {
        return mHost.openFileDialog(filter, dir);
    }
    std::string saveFileDialog(const std::string& filter, const std::string& dir) override {
        return mHost.saveFileDialog(filter, dir);
    }
    std::optional<FontChoice> fontDialog() override { return mHost.fontDialog(); }
    void yield() override { mHost.yield(); }
    std::uint32_t tickCount() override { return mHost.tickCount(); }
    void setStatusText(const std::string& panel, const std::string& text) override {
        mHost.setStatusText(panel, text);
    }
    void windowChanged(const std::string& window, WindowEvent event) override {
        mHost.windowChanged(window, event);
    }

private:
    Host& mHost;
};

} // namespace dw::design
