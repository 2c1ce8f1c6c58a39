#include "dw/platform/compressiondialog.h"

#include <mutex>

namespace dw::platform {

namespace {

struct DialogState {
    std::mutex lock;
    CompressionDialogHook hook;
    CompressionChoice defaults;
    std::vector<CompressorInfo> offered;
};

DialogState& state() {
    static DialogState s;
    return s;
}

} // namespace

CompressionDialogHook setCompressionDialogHook(CompressionDialogHook hook) {
    DialogState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    CompressionDialogHook previous = std::move(s.hook);
    s.hook = std::move(hook);
    return previous;
}

void setDefaultCompression(const CompressionChoice& choice) {
    DialogState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.defaults = choice;
}

CompressionChoice defaultCompression() {
    DialogState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.defaults;
}

std::optional<CompressionChoice> showCompressionDialog(const CompressionRequest& request) {
    CompressionDialogHook hook;
    CompressionChoice defaults;
    {
        DialogState& s = state();
        std::lock_guard<std::mutex> guard(s.lock);
        hook = s.hook;
        defaults = s.defaults;
    }
    if (!hook) {
        return defaults;
    }
    try {
        return hook(request);
    } catch (...) {
        return std::nullopt; // a dialog that fails counts as cancelled
    }
}

void publishCompressors(const std::vector<CompressorInfo>& compressors) {
    DialogState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.offered = compressors;
}

std::vector<CompressorInfo> offeredCompressors() {
    DialogState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.offered;
}

} // namespace dw::platform
