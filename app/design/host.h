#pragma once
// Everything the core needs from a user interface. The shell implements it with Qt widgets, the
// command-line front end answers from its arguments, tests use a scripted fake that records.
#include <cstdint>
#include <optional>
#include <string>

namespace dw::design {

enum class MessageIcon { None, Information, Critical };

// What a font dialog returned; the size is in points and may have a fraction.
struct FontChoice {
    std::string name;
    double size = 0;
    bool bold = false;
    bool italic = false;
};

// A window model changed in a way its view must follow.
enum class WindowEvent { Shown, Hidden, PictureChanged, Unloaded };

class Host {
public:
    virtual ~Host() = default;

    // A modal message with the application's title and an OK button.
    virtual void showMessage(const std::string& text, MessageIcon icon) = 0;

    // A message under a caption of its own, as the components title theirs ("Fatal Error").
    // Hosts that show no captions leave it to showMessage.
    virtual void showCaptionedMessage(const std::string& text, const std::string& caption,
                                      MessageIcon icon) {
        (void)caption;
        showMessage(text, icon);
    }

    // File dialogs; `filter` is "Label|pattern|Label|pattern". An empty result means cancelled.
    virtual std::string openFileDialog(const std::string& filter,
                                       const std::string& initialDirectory) = 0;
    virtual std::string saveFileDialog(const std::string& filter,
                                       const std::string& initialDirectory) = 0;

    // The font dialog; nullopt when cancelled or failed.
    virtual std::optional<FontChoice> fontDialog() = 0;

    // Lets queued commands (stop, load, close) run; a run loop calls it after every frame.
    virtual void yield() = 0;

    // Milliseconds from a steady clock; wraps like a 32-bit tick count.
    virtual std::uint32_t tickCount() = 0;

    // Sets the text of a status-bar panel ("STA_POS", "STA_FRAMECOUNT").
    virtual void setStatusText(const std::string& panelKey, const std::string& text) = 0;

    // A window model (by its window name, e.g. "frmRender", or a picture slot caption) changed.
    virtual void windowChanged(const std::string& windowName, WindowEvent event) = 0;
};

} // namespace dw::design
