#pragma once
// Modal message boxes for code without a user interface of its own (the components). The host
// installs one hook for the whole process: the shell shows a dialog, the command-line front end
// prints a line, tests record. With no hook installed the message goes to stderr.
#include <cstdint>
#include <functional>
#include <string>

#include "dw/platform/platform_export.h"
#include "dw/platform/surface.h"

namespace dw::platform {

// Buttons and icons, combined with |; the values are those of common practice.
inline constexpr std::uint32_t MB_OK = 0x0;
inline constexpr std::uint32_t MB_OKCANCEL = 0x1;
inline constexpr std::uint32_t MB_YESNO = 0x4;
inline constexpr std::uint32_t MB_ICONERROR = 0x10;
inline constexpr std::uint32_t MB_ICONQUESTION = 0x20;
inline constexpr std::uint32_t MB_ICONWARNING = 0x30;
inline constexpr std::uint32_t MB_ICONINFORMATION = 0x40;

// Buttons a message box answers with.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows `text` under `caption` with the buttons and icon in `flags`; returns the button pressed.
using MessageBoxHook =
    std::function<int(const std::string& text, const std::string& caption, std::uint32_t flags)>;

// Installs the process-wide hook and returns the one it replaces. An empty hook restores the
// default, which prints "caption: text" to stderr and answers OK (or Yes).
DW_PLATFORM_EXPORT MessageBoxHook setMessageBoxHook(MessageBoxHook hook);

// Shows a message through the installed hook. There are no owner windows here, so `owner` is
// ignored; null texts count as empty. Returns the button, or 0 when the hook threw.
DW_PLATFORM_EXPORT int MessageBoxA(Handle owner, const char* text, const char* caption,
                                   std::uint32_t flags);

// Installs a hook for the life of a scope and puts the previous one back at its end.
class ScopedMessageBoxHook {
public:
    explicit ScopedMessageBoxHook(MessageBoxHook hook)
        : mPrevious(setMessageBoxHook(std::move(hook))) {}
    ~ScopedMessageBoxHook() { setMessageBoxHook(std::move(mPrevious)); }
    ScopedMessageBoxHook(const ScopedMessageBoxHook&) = delete;
    ScopedMessageBoxHook& operator=(const ScopedMessageBoxHook&) = delete;

private:
    MessageBoxHook mPrevious;
};

} // namespace dw::platform
