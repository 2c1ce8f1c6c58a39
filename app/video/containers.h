#pragma once
// The video containers the program writes besides AVI, chosen by the output's file name, and the
// codecs each can hold. The AVI file keeps its own writer and compressors (reelkit).
#include <optional>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
}

namespace dw::video {

struct VideoCodec {
    std::string name;                            // what --codec takes: "h264"
    std::string encoder;                         // libavcodec's encoder: "libx264"
    std::string description;                     // for the codecs list
    AVPixelFormat pixelFormat = AV_PIX_FMT_NONE; // what the encoder is fed
    bool lossless = false;                       // decodes to the very pixels it was given
    bool takesBitrate = true;
    bool takesKeyFrames = true;
};

struct Container {
    std::string extension; // ".mp4", lower case
    std::string muxer;     // libavformat's name: "mp4"
    std::string description;
    std::vector<std::string> codecs; // what it can hold; the first is its default
    bool gif = false;                // palette frames, centisecond delays, looping
};

// Every container of the table, in the order the codecs list shows them.
const std::vector<Container>& containers();

// The container for a file name by its extension (any case); null for ".avi" (the AVI writer's)
// and for an unknown extension.
const Container* containerForFile(const std::string& fileName);

// True when the file name ends in ".avi", in any case.
bool isAviFile(const std::string& fileName);

// The codec of the table by --codec name (any case); null when unknown.
const VideoCodec* findCodec(const std::string& name);

// The codecs of a container whose encoder this machine's FFmpeg has, default first.
std::vector<const VideoCodec*> availableCodecs(const Container& container);

// The codec an export to the container uses: the named one, or the default when `name` is
// empty. Error text (naming the codecs the container can hold) when it cannot hold it or
// FFmpeg lacks the encoder.
struct CodecPick {
    const VideoCodec* codec = nullptr;
    std::string error;
};
CodecPick pickCodec(const Container& container, const std::string& name);

// The extensions that --output may end in, for messages: ".avi, .mp4, ...".
std::string knownExtensions();

// The containers and the codecs each holds, as printed by the codecs command.
std::string containerTable();

} // namespace dw::video
