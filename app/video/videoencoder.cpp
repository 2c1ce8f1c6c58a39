#include "video/videoencoder.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
}

namespace dw::video {

namespace {

// Quality defaults where the encoder's own would be poor or not what a clock needs.
void setQualityDefaults(AVCodecContext* c, const std::string& encoder, bool bitrateGiven) {
    if (encoder == "libx265") {
        av_opt_set(c->priv_data, "x265-params", "log-level=error", 0);
    } else if (encoder == "libvpx-vp9" || encoder == "libvpx") {
        av_opt_set(c->priv_data, "deadline", "good", 0);
        av_opt_set_int(c->priv_data, "cpu-used", 4, 0);
        if (encoder == "libvpx-vp9") {
            av_opt_set_int(c->priv_data, "row-mt", 1, 0);
        }
        if (!bitrateGiven) {
            // Constant quality; VP8 needs a ceiling to take it.
            av_opt_set_int(c->priv_data, "crf", encoder == "libvpx" ? 8 : 31, 0);
            c->bit_rate = encoder == "libvpx" ? 4'000'000 : 0;
        }
    } else if ((encoder == "mpeg4" || encoder == "mjpeg") && !bitrateGiven) {
        c->flags |= AV_CODEC_FLAG_QSCALE;
        c->global_quality = FF_QP2LAMBDA * 3;
    }
}

} // namespace

AVPixelFormat VideoEncoder::pixelFormat() const {
    return mCodec ? mCodec->pix_fmt : AV_PIX_FMT_NONE;
}

std::string VideoEncoder::open(const std::string& path, const Container& container,
                               const VideoCodec& codec, const EncoderSettings& settings, int width,
                               int height, int framesPerSecond) {
    mGif = container.gif;
    std::string error = openEncoder(codec, settings, width, height, framesPerSecond);
    if (error.empty()) {
        error = mFile.open(path);
    }
    if (error.empty()) {
        error = openMuxer(container, framesPerSecond);
    }
    if (!error.empty()) {
        abandon();
    }
    return error;
}

std::string VideoEncoder::openEncoder(const VideoCodec& codec, const EncoderSettings& settings,
                                      int width, int height, int framesPerSecond) {
    const AVCodec* encoder = avcodec_find_encoder_by_name(codec.encoder.c_str());
    if (encoder == nullptr) {
        return "this FFmpeg has no " + codec.encoder + " encoder";
    }
    mCodec.reset(avcodec_alloc_context3(encoder));
    mFrame.reset(av_frame_alloc());
    mPacket.reset(av_packet_alloc());
    if (!mCodec || !mFrame || !mPacket) {
        return "out of memory for the " + codec.name + " encoder";
    }
    AVCodecContext* c = mCodec.get();
    c->width = width;
    c->height = height;
    c->pix_fmt = codec.pixelFormat;
    c->time_base = AVRational{1, framesPerSecond};
    c->framerate = AVRational{framesPerSecond, 1};
    c->sample_aspect_ratio = AVRational{1, 1};
    if (codec.pixelFormat != AV_PIX_FMT_BGR0 && codec.pixelFormat != AV_PIX_FMT_PAL8) {
        // The frames are converted with the BT.601 matrix; say so, so that players convert back
        // with the same one.
        c->colorspace = AVCOL_SPC_SMPTE170M;
        c->color_primaries = AVCOL_PRI_SMPTE170M;
        c->color_trc = AVCOL_TRC_SMPTE170M;
        c->color_range =
            codec.pixelFormat == AV_PIX_FMT_YUVJ420P ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    }
    if (settings.bitrateKbps > 0) {
        c->bit_rate = static_cast<std::int64_t>(settings.bitrateKbps) * 1000;
    }
    if (settings.keyFrameEvery > 0) {
        c->gop_size = settings.keyFrameEvery;
    }
    setQualityDefaults(c, codec.encoder, settings.bitrateKbps > 0);
    mFrame->format = c->pix_fmt;
    mFrame->width = width;
    mFrame->height = height;
    int ret = av_frame_get_buffer(mFrame.get(), 0);
    if (ret < 0) {
        return avError("cannot make a frame for the " + codec.name + " encoder", ret);
    }
    if (codec.pixelFormat != AV_PIX_FMT_PAL8) {
        mScale.reset(sws_getContext(width, height, AV_PIX_FMT_BGRA, width, height, c->pix_fmt,
                                    SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP, nullptr,
                                    nullptr, nullptr));
        if (!mScale) {
            return "cannot convert the frames to " + std::string(av_get_pix_fmt_name(c->pix_fmt));
        }
    }
    return {};
}

std::string VideoEncoder::openMuxer(const Container& container, int framesPerSecond) {
    AVFormatContext* format = nullptr;
    int ret = avformat_alloc_output_context2(&format, nullptr, container.muxer.c_str(),
                                             mFile.temporaryPath().c_str());
    if (ret < 0 || format == nullptr) {
        return avError("cannot make a " + container.extension + " file", ret);
    }
    mFormat.reset(format);
    format->pb = mFile.io();
    if (format->oformat->flags & AVFMT_GLOBALHEADER) {
        mCodec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    ret = avcodec_open2(mCodec.get(), mCodec->codec, nullptr);
    if (ret < 0) {
        return avError("cannot open the " + std::string(mCodec->codec->name) + " encoder for " +
                           std::to_string(mCodec->width) + " x " + std::to_string(mCodec->height) +
                           " frames",
                       ret);
    }
    mStream = avformat_new_stream(format, nullptr);
    if (mStream == nullptr) {
        return "out of memory for the video stream";
    }
    ret = avcodec_parameters_from_context(mStream->codecpar, mCodec.get());
    if (ret < 0) {
        return avError("cannot describe the video stream", ret);
    }
    // The copy frame rate is the file's nominal rate, whatever the durations of its pictures.
    mStream->time_base = mCodec->time_base;
    mStream->avg_frame_rate = AVRational{framesPerSecond, 1};
    mStream->r_frame_rate = AVRational{framesPerSecond, 1};
    AVDictionary* options = nullptr;
    if (container.muxer == "mp4" || container.muxer == "mov") {
        // The index first, so the file plays while it is still being fetched.
        av_dict_set(&options, "movflags", "+faststart", 0);
        av_dict_set_int(&options, "video_track_timescale", framesPerSecond, 0);
    }
    if (container.gif) {
        av_dict_set_int(&options, "loop", 0, 0); // for ever
    }
    ret = avformat_write_header(format, &options);
    av_dict_free(&options);
    if (ret < 0) {
        return avError("cannot write the head of the " + container.extension + " file", ret);
    }
    mHeaderWritten = true;
    return {};
}

std::string VideoEncoder::encodePicture(const QImage& picture, std::int64_t start,
                                        std::int64_t duration) {
    int ret = av_frame_make_writable(mFrame.get());
    if (ret < 0) {
        return avError("cannot encode a frame", ret);
    }
    const std::uint8_t* source[1] = {picture.constBits()};
    const int stride[1] = {static_cast<int>(picture.bytesPerLine())};
    sws_scale(mScale.get(), source, stride, 0, picture.height(), mFrame->data, mFrame->linesize);
    return encodeFrame(mFrame.get(), start, duration);
}

std::string VideoEncoder::encodeFrame(AVFrame* frame, std::int64_t start, std::int64_t duration) {
    frame->pts = start;
    mDurations[start] = duration;
    return send(frame);
}

std::string VideoEncoder::send(AVFrame* frame) {
    const int ret = avcodec_send_frame(mCodec.get(), frame);
    if (ret < 0 && ret != AVERROR_EOF) {
        return avError("cannot encode a frame", ret);
    }
    return writePackets();
}

std::string VideoEncoder::writePackets() {
    for (;;) {
        int ret = avcodec_receive_packet(mCodec.get(), mPacket.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) {
            return {};
        }
        if (ret < 0) {
            return avError("cannot encode a frame", ret);
        }
        AVPacket* p = mPacket.get();
        const auto held = mDurations.find(p->pts);
        if (held != mDurations.end()) {
            p->duration = held->second;
            mDurations.erase(held);
        }
        const std::int64_t end = p->pts + p->duration;
        p->stream_index = mStream->index;
        av_packet_rescale_ts(p, mCodec->time_base, mStream->time_base);
        if (mGif) {
            // The muxer holds each picture until the next says how long it lasts; the last
            // one's delay is given here, in its own centiseconds.
            const std::int64_t delay =
                av_rescale_q(end, mCodec->time_base, mStream->time_base) - p->pts;
            av_opt_set_int(mFormat->priv_data, "final_delay",
                           std::clamp<std::int64_t>(delay, 0, 65535), 0);
        }
        ret = av_interleaved_write_frame(mFormat.get(), p);
        if (ret < 0 || mFormat->pb->error < 0) {
            return avError("cannot write the video", ret < 0 ? ret : mFormat->pb->error);
        }
        mStoredEnd = std::max(mStoredEnd, end);
    }
}

std::string VideoEncoder::finish() {
    std::string error;
    if (mFile.diskFull() && mFormat) {
        // Moving the index forward would need the room of the index again; it stays at the end.
        av_opt_set(mFormat->priv_data, "movflags", "-faststart", AV_OPT_SEARCH_CHILDREN);
    }
    if (mCodec && avcodec_is_open(mCodec.get())) {
        error = send(nullptr);
    }
    if (mHeaderWritten) {
        const int ret = av_write_trailer(mFormat.get());
        mHeaderWritten = false;
        if (ret < 0 && error.empty()) {
            error = avError("cannot finish the video", ret);
        }
        if (mFormat->pb->error < 0 && error.empty()) {
            error = avError("cannot finish the video", mFormat->pb->error);
        }
    }
    if (error.empty()) {
        mFormat.reset();
        error = mFile.commit();
    }
    release();
    if (!error.empty()) {
        mFile.discard();
    }
    return error;
}

void VideoEncoder::abandon() noexcept {
    mHeaderWritten = false;
    release();
    mFile.discard();
}

void VideoEncoder::release() noexcept {
    mFormat.reset();
    mScale.reset();
    mCodec.reset();
    mFrame.reset();
    mPacket.reset();
    mStream = nullptr;
}

} // namespace dw::video
