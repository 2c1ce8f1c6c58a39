#pragma once
// The compression-options dialog: which compressor a new video stream gets, with its key-frame
// interval and data rate. The host installs the dialog as a process-wide hook (the shell: a Qt
// dialog; tests: a recorder). Without a hook the answer comes from default settings that the
// caller gives (the command-line front end passes --codec and its options); with none given,
// frames are stored uncompressed.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dw/platform/platform_export.h"

namespace dw::platform {

// One compressor the AVI file library offers.
struct CompressorInfo {
    std::string name;        // what a choice names it by: "uncompressed", "mjpeg", "ffv1", ...
    std::string fourcc;      // four characters: "DIB ", "MJPG", "FFV1", "FMP4", "H264"
    std::string description; // for a list shown to the user
    bool takesKeyFrameInterval = false;
    bool takesDataRate = false;
};

// The dialog's answer.
struct CompressionChoice {
    std::string codec;     // an offered name or FourCC, any case; empty means uncompressed
    int keyFrameEvery = 0; // frames from one key frame to the next; 0 = the compressor's default
    int dataRateKbps = 0;  // kilobits per second; 0 = the compressor's default quality
};

// Dialog flags: offer the key-frame interval and the data rate besides the compressor.
inline constexpr std::uint32_t ICMF_CHOOSE_KEYFRAME = 0x1;
inline constexpr std::uint32_t ICMF_CHOOSE_DATARATE = 0x2;

// What the dialog is asked: the stream to be compressed and the compressors on offer.
struct CompressionRequest {
    std::string streamType = "vids";
    int width = 0;
    int height = 0;
    int framesPerSecond = 0;
    std::uint32_t flags = 0;
    std::vector<CompressorInfo> offered;
};

// Returns the user's choice, or nullopt when the dialog was cancelled or failed.
using CompressionDialogHook =
    std::function<std::optional<CompressionChoice>(const CompressionRequest& request)>;

// Installs the process-wide dialog and returns the one it replaces; an empty hook removes it so
// that the default settings answer.
DW_PLATFORM_EXPORT CompressionDialogHook setCompressionDialogHook(CompressionDialogHook hook);

// The settings that answer when no dialog is installed; initially uncompressed.
DW_PLATFORM_EXPORT void setDefaultCompression(const CompressionChoice& choice);
DW_PLATFORM_EXPORT CompressionChoice defaultCompression();

// Asks the installed dialog, or answers from the default settings. nullopt when cancelled,
// including when the dialog threw.
DW_PLATFORM_EXPORT std::optional<CompressionChoice>
showCompressionDialog(const CompressionRequest& request);

// The compressor list, published by the AVI file library when it loads, so that a front end can
// list what is on offer (empty until then).
DW_PLATFORM_EXPORT void publishCompressors(const std::vector<CompressorInfo>& compressors);
DW_PLATFORM_EXPORT std::vector<CompressorInfo> offeredCompressors();

// Installs a dialog for the life of a scope and puts the previous one back at its end.
class ScopedCompressionDialogHook {
public:
    explicit ScopedCompressionDialogHook(CompressionDialogHook hook)
        : mPrevious(setCompressionDialogHook(std::move(hook))) {}
    ~ScopedCompressionDialogHook() { setCompressionDialogHook(std::move(mPrevious)); }
    ScopedCompressionDialogHook(const ScopedCompressionDialogHook&) = delete;
    ScopedCompressionDialogHook& operator=(const ScopedCompressionDialogHook&) = delete;

private:
    CompressionDialogHook mPrevious;
};

} // namespace dw::platform
