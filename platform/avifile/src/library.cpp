#include <atomic>
#include <dlfcn.h>
#include <limits>

#include "codeccatalog.h"
#include "dw/avifile/compression.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/avutil.h>
#include <libswscale/swscale.h>
}

namespace dw::avifile {

namespace {

std::atomic<int> gLibraryUsers{0};

// FFmpeg's libraries come with dependencies that allocate as they load and do not all unload
// cleanly. Once loaded with this library they stay, however often the component that carries
// it is unloaded and loaded again.
bool pinCodecLibraries() {
    const void* symbols[] = {reinterpret_cast<const void*>(&avcodec_version),
                             reinterpret_cast<const void*>(&avutil_version),
                             reinterpret_cast<const void*>(&swscale_version)};
    for (const void* symbol : symbols) {
        Dl_info info{};
        if (::dladdr(symbol, &info) != 0 && info.dli_fname != nullptr) {
            ::dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE); // kept open
        }
    }
    return true;
}

[[maybe_unused]] const bool gCodecLibrariesPinned = pinCodecLibraries();

} // namespace

void initLibrary() {
    if (gLibraryUsers.fetch_add(1) == 0) {
        platform::publishCompressors(availableCompressors());
    }
}

void exitLibrary() {
    int users = gLibraryUsers.load();
    while (users > 0 && !gLibraryUsers.compare_exchange_weak(users, users - 1)) {
    }
}

std::vector<platform::CompressorInfo> availableCompressors() {
    std::vector<platform::CompressorInfo> out;
    for (const CodecRecipe& r : detail::allRecipes()) {
        if (detail::encoderAvailable(r)) {
            out.push_back(
                {r.name, r.fourcc, r.description, r.takesKeyFrameInterval, r.takesDataRate});
        }
    }
    return out;
}

std::optional<platform::CompressionChoice> saveOptions(const StreamInfo& stream,
                                                       std::uint32_t flags) {
    platform::CompressionRequest request;
    request.width = stream.frame.right - stream.frame.left;
    request.height = stream.frame.bottom - stream.frame.top;
    request.framesPerSecond =
        static_cast<int>(stream.scale == 0 ? stream.rate : stream.rate / stream.scale);
    request.flags = flags;
    request.offered = availableCompressors();
    return platform::showCompressionDialog(request);
}

std::shared_ptr<CompressedStream> makeCompressedStream(std::shared_ptr<Stream> raw,
                                                       const platform::CompressionChoice& choice,
                                                       Status* status) {
    if (!raw || raw->info().fccType != streamtypeVIDEO) {
        *status = Status::fail(AviError::BadArgument, "a compressed stream needs a video stream");
        return nullptr;
    }
    const CodecRecipe* recipe = detail::findRecipe(choice.codec);
    if (recipe == nullptr || !detail::encoderAvailable(*recipe)) {
        *status = Status::fail(AviError::NoCompressor, "no compressor \"" + choice.codec + "\"");
        return nullptr;
    }
    constexpr int kMaxKbps = std::numeric_limits<int>::max() / 1000;
    if (choice.keyFrameEvery < 0 || choice.dataRateKbps < 0 || choice.dataRateKbps > kMaxKbps) {
        *status =
            Status::fail(AviError::BadArgument, "key-frame interval or data rate out of range");
        return nullptr;
    }
    *status = Status::ok();
    return std::make_shared<CompressedStream>(std::move(raw), *recipe, choice);
}

} // namespace dw::avifile
