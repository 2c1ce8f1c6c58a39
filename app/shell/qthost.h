#pragma once
// The Host of the windowed program: Qt message boxes and dialogs, yields that run the event queue,
// and the status texts and window events passed on to the main window. Tests replace the modal
// parts (messages, file and font dialogs) by overriding them.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include <QString>

#include "design/host.h"
#include "dw/platform/compressiondialog.h"
#include "shell/optionsform.h"

class QWidget;

namespace dw::shell {

// Who shows what the host is told: the main window.
class HostListener {
public:
    virtual ~HostListener() = default;
    virtual void statusTextChanged(const std::string& panelKey, const std::string& text) = 0;
    virtual void windowChanged(const std::string& windowName, design::WindowEvent event) = 0;
    // The window that owns the modal dialogs; may be null.
    virtual QWidget* dialogOwner() = 0;
};

// A filter "Label|pattern|Label|pattern" as Qt's name filters ("Label (pattern);;..."). A label
// that already shows its pattern in brackets is kept as it is. Never fails.
QString qtNameFilters(const std::string& filter);

// Message text with CR LF line breaks as Qt shows them (LF only).
QString qtMessageText(const std::string& text);

class QtHost : public design::Host {
public:
    // The application's title, on every message box.
    static constexpr const char* kTitle = "Dialwright";

    // Installs the compression-options dialog for the life of the host.
    QtHost();
    ~QtHost() override;

    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    // Where status texts and window events go; null drops them. Must outlive its use.
    void setListener(HostListener* listener) { mListener = listener; }

    void showMessage(const std::string& text, design::MessageIcon icon) override;
    void showCaptionedMessage(const std::string& text, const std::string& caption,
                              design::MessageIcon icon) override;
    std::string openFileDialog(const std::string& filter,
                               const std::string& initialDirectory) override;
    std::string saveFileDialog(const std::string& filter,
                               const std::string& initialDirectory) override;
    std::optional<design::FontChoice> fontDialog() override;
    void yield() override;
    std::uint32_t tickCount() override;
    void setStatusText(const std::string& panelKey, const std::string& text) override;
    void windowChanged(const std::string& windowName, design::WindowEvent event) override;

    // The AVI writer's compression-options dialog; nullopt when cancelled.
    virtual std::optional<platform::CompressionChoice>
    compressionDialog(const platform::CompressionRequest& request);

    // An export's options form (the Export menu); its values, or nullopt when cancelled.
    virtual std::optional<FormValues> optionsDialog(const FormRequest& request);

private:
    QWidget* owner() const;

    HostListener* mListener = nullptr;
    // Whether anything was shown since the last yield; a yield with nothing new is a run
    // waiting for its next step.
    bool mShownSinceYield = true;
    bool mWindowChangedSinceYield = true;
    static constexpr std::chrono::microseconds kEventInterval{1000};
    std::chrono::steady_clock::time_point mEventsRan{};
    platform::ScopedCompressionDialogHook mCompressionHook;
};

} // namespace dw::shell
