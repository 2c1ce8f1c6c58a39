#include "dw/platform/messagebox.h"

#include <cstdio>
#include <mutex>

namespace dw::platform {

namespace {

struct HookSlot {
    std::mutex lock;
    MessageBoxHook hook;
};

HookSlot& slot() {
    static HookSlot s;
    return s;
}

// Without a user interface a message is one line on stderr; the texts of the components end in
// "\n", which the line break already gives.
int messageToStderr(const std::string& text, const std::string& caption, std::uint32_t flags) {
    std::string body = text;
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) {
        body.pop_back();
    }
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), body.c_str());
    return (flags & 0xF) == MB_YESNO ? IDYES : IDOK;
}

} // namespace

MessageBoxHook setMessageBoxHook(MessageBoxHook hook) {
    HookSlot& s = slot();
    std::lock_guard<std::mutex> guard(s.lock);
    MessageBoxHook previous = std::move(s.hook);
    s.hook = std::move(hook);
    return previous;
}

int MessageBoxA(Handle /*owner*/, const char* text, const char* caption, std::uint32_t flags) {
    MessageBoxHook hook;
    {
        HookSlot& s = slot();
        std::lock_guard<std::mutex> guard(s.lock);
        hook = s.hook; // called unlocked, so a hook may show a message or replace itself
    }
    const std::string textString = text != nullptr ? text : "";
    const std::string captionString = caption != nullptr ? caption : "";
    try {
        if (hook) {
            return hook(textString, captionString, flags);
        }
        return messageToStderr(textString, captionString, flags);
    } catch (...) {
        return 0;
    }
}

} // namespace dw::platform
