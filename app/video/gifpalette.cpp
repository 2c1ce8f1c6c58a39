#include "video/gifpalette.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
}

namespace dw::video {

namespace {

std::string bufferArgs(int width, int height, AVPixelFormat format) {
    return "video_size=" + std::to_string(width) + "x" + std::to_string(height) +
           ":pix_fmt=" + std::to_string(static_cast<int>(format)) +
           ":time_base=1/1:pixel_aspect=1/1";
}

int makeFilter(AVFilterGraph* graph, AVFilterContext** filter, const char* kind, const char* name,
               const std::string& args) {
    return avfilter_graph_create_filter(filter, avfilter_get_by_name(kind), name,
                                        args.empty() ? nullptr : args.c_str(), nullptr, graph);
}

// A frame over the picture's own pixels; the buffer source copies them.
FramePtr wrap(const QImage& picture, std::int64_t pts) {
    FramePtr frame(av_frame_alloc());
    if (frame) {
        frame->format = AV_PIX_FMT_BGRA;
        frame->width = picture.width();
        frame->height = picture.height();
        frame->data[0] = const_cast<std::uint8_t*>(picture.constBits());
        frame->linesize[0] = static_cast<int>(picture.bytesPerLine());
        frame->pts = pts;
    }
    return frame;
}

} // namespace

std::string GifPalette::open(int width, int height) {
    mGraph.reset(avfilter_graph_alloc());
    if (!mGraph) {
        return "out of memory for the GIF palette";
    }
    AVFilterContext* gen = nullptr;
    int ret = makeFilter(mGraph.get(), &mSource, "buffer", "in",
                         bufferArgs(width, height, AV_PIX_FMT_BGRA));
    if (ret >= 0) {
        // All 256 entries for colours: the run's frames have no transparency to keep.
        ret = makeFilter(mGraph.get(), &gen, "palettegen", "palettegen",
                         "max_colors=256:reserve_transparent=0:stats_mode=full");
    }
    if (ret >= 0) {
        ret = makeFilter(mGraph.get(), &mSink, "buffersink", "out", "");
    }
    if (ret >= 0) {
        ret = avfilter_link(mSource, 0, gen, 0);
    }
    if (ret >= 0) {
        ret = avfilter_link(gen, 0, mSink, 0);
    }
    if (ret >= 0) {
        ret = avfilter_graph_config(mGraph.get(), nullptr);
    }
    return ret < 0 ? avError("cannot make the GIF palette", ret) : std::string();
}

std::string GifPalette::add(const QImage& picture) {
    FramePtr frame = wrap(picture, mNext++);
    if (!frame) {
        return "out of memory for the GIF palette";
    }
    // Pushed through at once: palettegen keeps only its counts, while a frame left queued for a
    // later pull would stay in memory until the end of the run.
    const int ret = av_buffersrc_add_frame_flags(
        mSource, frame.get(), AV_BUFFERSRC_FLAG_KEEP_REF | AV_BUFFERSRC_FLAG_PUSH);
    return ret < 0 ? avError("cannot count the colours of a frame", ret) : std::string();
}

FramePtr GifPalette::finish(std::string* error) {
    int ret = av_buffersrc_add_frame(mSource, nullptr);
    FramePtr palette(av_frame_alloc());
    if (ret >= 0 && !palette) {
        ret = AVERROR(ENOMEM);
    }
    if (ret >= 0) {
        ret = av_buffersink_get_frame(mSink, palette.get());
    }
    mGraph.reset();
    if (ret < 0) {
        *error = avError("cannot make the GIF palette", ret);
        return nullptr;
    }
    return palette;
}

std::string GifMapper::open(int width, int height, const AVFrame& palette) {
    mGraph.reset(avfilter_graph_alloc());
    if (!mGraph) {
        return "out of memory for the GIF palette";
    }
    AVFilterContext* use = nullptr;
    int ret = makeFilter(mGraph.get(), &mSource, "buffer", "in",
                         bufferArgs(width, height, AV_PIX_FMT_BGRA));
    if (ret >= 0) {
        ret = makeFilter(
            mGraph.get(), &mPalette, "buffer", "palette",
            bufferArgs(palette.width, palette.height, static_cast<AVPixelFormat>(palette.format)));
    }
    if (ret >= 0) {
        ret = makeFilter(mGraph.get(), &use, "paletteuse", "paletteuse", "");
    }
    if (ret >= 0) {
        ret = makeFilter(mGraph.get(), &mSink, "buffersink", "out", "");
    }
    if (ret >= 0) {
        ret = avfilter_link(mSource, 0, use, 0);
    }
    if (ret >= 0) {
        ret = avfilter_link(mPalette, 0, use, 1);
    }
    if (ret >= 0) {
        ret = avfilter_link(use, 0, mSink, 0);
    }
    if (ret >= 0) {
        ret = avfilter_graph_config(mGraph.get(), nullptr);
    }
    if (ret >= 0) {
        // One palette serves every picture (paletteuse repeats its last palette frame).
        ret = av_buffersrc_write_frame(mPalette, &palette);
    }
    if (ret >= 0) {
        ret = av_buffersrc_add_frame(mPalette, nullptr);
    }
    return ret < 0 ? avError("cannot use the GIF palette", ret) : std::string();
}

FramePtr GifMapper::map(const QImage& picture, std::string* error) {
    FramePtr frame = wrap(picture, mNext++);
    FramePtr mapped(av_frame_alloc());
    int ret = frame && mapped ? 0 : AVERROR(ENOMEM);
    if (ret >= 0) {
        ret = av_buffersrc_write_frame(mSource, frame.get());
    }
    if (ret >= 0) {
        ret = av_buffersink_get_frame(mSink, mapped.get());
    }
    if (ret < 0) {
        *error = avError("cannot map a frame onto the GIF palette", ret);
        return nullptr;
    }
    return mapped;
}

} // namespace dw::video
