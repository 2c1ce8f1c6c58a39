#pragma once
// Ownership and error text for the FFmpeg objects of the video outputs: every av* object lives
// in a unique_ptr with its own deleter, and every failing return becomes a sentence.
#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace dw::video {

struct CodecContextFree {
    void operator()(AVCodecContext* c) const noexcept { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const noexcept { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const noexcept { av_packet_free(&p); }
};
struct ScaleFree {
    void operator()(SwsContext* s) const noexcept { sws_freeContext(s); }
};
struct FilterGraphFree {
    void operator()(AVFilterGraph* g) const noexcept { avfilter_graph_free(&g); }
};
// An output context whose I/O is ours (see OutputFile): only the context itself is freed here.
struct FormatContextFree {
    void operator()(AVFormatContext* f) const noexcept { avformat_free_context(f); }
};

using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFree>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using ScalePtr = std::unique_ptr<SwsContext, ScaleFree>;
using FilterGraphPtr = std::unique_ptr<AVFilterGraph, FilterGraphFree>;
using FormatContextPtr = std::unique_ptr<AVFormatContext, FormatContextFree>;

// "what: FFmpeg's description of error" (av_strerror), with the last error FFmpeg logged while
// a LogCapture was active, when it says more.
std::string avError(const std::string& what, int error);

// While one lives, FFmpeg's log lines stay off the terminal; error lines are kept so that a
// failure can say what the library said. Not for use on two threads at once.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The last error-level line logged since the capture began; empty when none.
    static std::string lastError();
};

} // namespace dw::video
