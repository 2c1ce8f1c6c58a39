#include "video/containers.h"

#include <algorithm>
#include <cctype>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace dw::video {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string extensionOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of('/');
    const auto dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return lower(fileName.substr(dot));
}

const std::vector<VideoCodec>& codecTable() {
    // Quality defaults are set where the encoder is opened; only what the table must say is here.
    static const std::vector<VideoCodec> table = {
        {"h264", "libx264", "H.264, yuv420p", AV_PIX_FMT_YUV420P, false, true, true},
        {"hevc", "libx265", "H.265, yuv420p", AV_PIX_FMT_YUV420P, false, true, true},
        {"vp9", "libvpx-vp9", "VP9, yuv420p", AV_PIX_FMT_YUV420P, false, true, true},
        {"vp8", "libvpx", "VP8, yuv420p", AV_PIX_FMT_YUV420P, false, true, true},
        {"mpeg4", "mpeg4", "MPEG-4 part 2, yuv420p", AV_PIX_FMT_YUV420P, false, true, true},
        {"mjpeg", "mjpeg", "Motion JPEG, yuvj420p", AV_PIX_FMT_YUVJ420P, false, true, false},
        {"prores", "prores_ks", "ProRes 422, 10 bits", AV_PIX_FMT_YUV422P10LE, false, false, false},
        // The coder state carries from frame to frame; a key frame every so often still helps
        // a player seek.
        {"ffv1", "ffv1", "FFV1, lossless RGB", AV_PIX_FMT_BGR0, true, false, true},
        {"gif", "gif", "GIF, own palette", AV_PIX_FMT_PAL8, false, false, false},
    };
    return table;
}

} // namespace

const std::vector<Container>& containers() {
    static const std::vector<Container> table = {
        {".mp4", "mp4", "MPEG-4 (faststart)", {"h264", "hevc", "mpeg4"}, false},
        {".webm", "webm", "WebM", {"vp9", "vp8"}, false},
        {".mkv",
         "matroska",
         "Matroska",
         {"ffv1", "h264", "hevc", "vp9", "vp8", "mpeg4", "mjpeg"},
         false},
        {".mov", "mov", "QuickTime", {"h264", "hevc", "mpeg4", "mjpeg", "prores"}, false},
        {".gif", "gif", "GIF, infinite loop", {"gif"}, true},
    };
    return table;
}

const Container* containerForFile(const std::string& fileName) {
    const std::string extension = extensionOf(fileName);
    for (const Container& container : containers()) {
        if (container.extension == extension) {
            return &container;
        }
    }
    return nullptr;
}

bool isAviFile(const std::string& fileName) {
    return extensionOf(fileName) == ".avi";
}

const VideoCodec* findCodec(const std::string& name) {
    const std::string wanted = lower(name);
    for (const VideoCodec& codec : codecTable()) {
        if (codec.name == wanted) {
            return &codec;
        }
    }
    return nullptr;
}

std::vector<const VideoCodec*> availableCodecs(const Container& container) {
    std::vector<const VideoCodec*> out;
    for (const std::string& name : container.codecs) {
        const VideoCodec* codec = findCodec(name);
        if (codec != nullptr && avcodec_find_encoder_by_name(codec->encoder.c_str()) != nullptr) {
            out.push_back(codec);
        }
    }
    return out;
}

CodecPick pickCodec(const Container& container, const std::string& name) {
    const std::vector<const VideoCodec*> offered = availableCodecs(container);
    std::string names;
    for (const VideoCodec* codec : offered) {
        names += (names.empty() ? "" : ", ") + codec->name;
    }
    const std::string wanted = name.empty() ? container.codecs.front() : lower(name);
    for (const VideoCodec* codec : offered) {
        if (codec->name == wanted) {
            return {codec, {}};
        }
    }
    if (offered.empty()) {
        return {nullptr, "this FFmpeg has no encoder for " + container.extension + " files"};
    }
    return {nullptr, "a " + container.extension + " file cannot hold codec '" + wanted +
                         "'; it holds " + names};
}

std::string knownExtensions() {
    std::string text = ".avi";
    for (const Container& container : containers()) {
        text += ", " + container.extension;
    }
    return text;
}

std::string containerTable() {
    std::string table = "CONTAINER  DESCRIPTION           CODECS (the first is the default)\n";
    table += ".avi       AVI                   the compressors above\n";
    for (const Container& container : containers()) {
        std::string line = container.extension;
        line.resize(11, ' ');
        line += container.description;
        line.resize(33, ' ');
        std::string names;
        for (const VideoCodec* codec : availableCodecs(container)) {
            names += (names.empty() ? "" : " ") + codec->name;
        }
        table += line + (names.empty() ? "(no encoder on this machine)" : names) + "\n";
    }
    return table;
}

} // namespace dw::video
