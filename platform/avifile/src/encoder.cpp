#include "encoder.h"

#include <cstring>
#include <mutex>

extern "C" {
#include <libavutil/log.h>
}

namespace dw::avifile {

using detail::avErrorText;

namespace {

// Chooses rate control: a data rate when one is chosen, else a fixed quantiser where the recipe
// has one (libavcodec's default of 200 kbit/s would blur every frame), else the encoder's own.
void setRateControl(AVCodecContext* c, const CodecRecipe& recipe, const EncoderSettings& s,
                    bool* fixedQuality) {
    *fixedQuality = false;
    if (s.dataRateKbps > 0 && recipe.takesDataRate) {
        c->bit_rate = std::int64_t{s.dataRateKbps} * 1000;
    } else if (recipe.fixedQuantiser > 0) {
        c->flags |= AV_CODEC_FLAG_QSCALE;
        c->global_quality = FF_QP2LAMBDA * recipe.fixedQuantiser;
        *fixedQuality = true;
    }
}

void configure(AVCodecContext* c, const CodecRecipe& recipe, const EncoderSettings& s,
               bool* fixedQuality) {
    c->width = s.width;
    c->height = s.height;
    c->pix_fmt = recipe.pixelFormat;
    if (c->pix_fmt == AV_PIX_FMT_YUV420P && std::strcmp(recipe.encoderName, "libx264") == 0 &&
        ((s.width | s.height) & 1) != 0) {
        c->pix_fmt = AV_PIX_FMT_YUV444P; // x264 halves chroma only for even sizes
    }
    const int rate = s.rate == 0 ? 1 : static_cast<int>(s.rate); // a rate of 0 still encodes
    const int scale = s.scale == 0 ? 1 : static_cast<int>(s.scale);
    c->time_base = AVRational{scale, rate};
    c->framerate = AVRational{rate, scale};
    c->max_b_frames = 0; // AVI stores no timestamps, so frames stay in display order
    c->thread_count = std::strcmp(recipe.encoderName, "libx264") == 0 ? 0 : 1;
    if (s.keyFrameEvery > 0 && recipe.takesKeyFrameInterval) {
        c->gop_size = s.keyFrameEvery;
    }
    if (std::strcmp(recipe.encoderName, "mjpeg") == 0) {
        c->color_range = AVCOL_RANGE_JPEG; // JPEG's own full-range YUV
    }
    setRateControl(c, recipe, s, fixedQuality);
}

bool dependsOnFrameAlone(const CodecRecipe& recipe, const AVCodecContext* c, bool fixedQuality) {
    if (std::strcmp(recipe.encoderName, "mjpeg") == 0) {
        return fixedQuality; // rate control carries state from frame to frame
    }
    if (std::strcmp(recipe.encoderName, "ffv1") == 0) {
        return c->gop_size == 1; // between key frames the coder's state carries over
    }
    return false; // MPEG-4 and H.264 predict, number their frames and run rate control
}

} // namespace

std::unique_ptr<Encoder> Encoder::open(const CodecRecipe& recipe, const EncoderSettings& settings,
                                       Status* status) {
    static std::once_flag quiet;
    // Encoders chat on stderr at libavcodec's default level; their failures come back as texts.
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_ERROR); });
    const AVCodec* codec = avcodec_find_encoder_by_name(recipe.encoderName);
    if (codec == nullptr) {
        *status = Status::fail(AviError::NoCompressor, "no encoder " + std::string(recipe.name));
        return nullptr;
    }
    std::unique_ptr<Encoder> e(new Encoder());
    e->mContext.reset(avcodec_alloc_context3(codec));
    e->mFrame.reset(av_frame_alloc());
    e->mPacket.reset(av_packet_alloc());
    if (!e->mContext || !e->mFrame || !e->mPacket) {
        *status = Status::fail(AviError::Encoder, "out of memory");
        return nullptr;
    }
    AVCodecContext* c = e->mContext.get();
    configure(c, recipe, settings, &e->mFixedQuality);
    if (const int rc = avcodec_open2(c, codec, nullptr); rc < 0) {
        *status = Status::fail(AviError::Encoder, avErrorText("opening the encoder", rc));
        return nullptr;
    }
    e->mFrame->format = c->pix_fmt;
    e->mFrame->width = c->width;
    e->mFrame->height = c->height;
    e->mFrame->color_range = c->color_range;
    if (const int rc = av_frame_get_buffer(e->mFrame.get(), 0); rc < 0) {
        *status = Status::fail(AviError::Encoder, avErrorText("allocating a frame", rc));
        return nullptr;
    }
    e->mScaler.reset(sws_getContext(c->width, c->height, AV_PIX_FMT_BGR24, c->width, c->height,
                                    c->pix_fmt, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr,
                                    nullptr));
    if (!e->mScaler) {
        *status = Status::fail(AviError::Encoder, "no pixel conversion for this encoder");
        return nullptr;
    }
    if (c->color_range == AVCOL_RANGE_JPEG) {
        const int* coefficients = sws_getCoefficients(SWS_CS_ITU601);
        sws_setColorspaceDetails(e->mScaler.get(), coefficients, 1, coefficients, 1, 0, 1 << 16,
                                 1 << 16);
    }
    e->mFrameAlone = dependsOnFrameAlone(recipe, c, e->mFixedQuality);
    *status = Status::ok();
    return e;
}

Status Encoder::encode(const std::uint8_t* rows, std::size_t rowBytes, PacketSink& sink) {
    if (mFlushed) {
        return Status::fail(AviError::Encoder, "the encoder was flushed");
    }
    AVFrame* f = mFrame.get();
    if (const int rc = av_frame_make_writable(f); rc < 0) {
        return Status::fail(AviError::Encoder, avErrorText("frame buffer", rc));
    }
    // Bottom-up rows: start at the last row and step backwards, so the picture arrives upright.
    const std::uint8_t* source[1] = {rows + (mContext->height - 1) * rowBytes};
    const int sourceStride[1] = {-static_cast<int>(rowBytes)};
    if (sws_scale(mScaler.get(), source, sourceStride, 0, mContext->height, f->data, f->linesize) !=
        mContext->height) {
        return Status::fail(AviError::Encoder, "pixel conversion failed");
    }
    f->pts = mNextPts++;
    f->pict_type = AV_PICTURE_TYPE_NONE;
    if (mFixedQuality) {
        f->quality = mContext->global_quality; // mpegvideo encoders read the quantiser here
    }
    if (const int rc = avcodec_send_frame(mContext.get(), f); rc < 0) {
        return Status::fail(AviError::Encoder, avErrorText("encoding", rc));
    }
    return drain(sink);
}

Status Encoder::flush(PacketSink& sink) {
    if (mFlushed) {
        return Status::ok();
    }
    mFlushed = true;
    if (const int rc = avcodec_send_frame(mContext.get(), nullptr); rc < 0) {
        return Status::fail(AviError::Encoder, avErrorText("flushing", rc));
    }
    return drain(sink);
}

Status Encoder::drain(PacketSink& sink) {
    for (;;) {
        const int rc = avcodec_receive_packet(mContext.get(), mPacket.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) {
            return Status::ok();
        }
        if (rc < 0) {
            return Status::fail(AviError::Encoder, avErrorText("encoding", rc));
        }
        const Status st = sink.takePacket(mPacket->data, static_cast<std::size_t>(mPacket->size),
                                          (mPacket->flags & AV_PKT_FLAG_KEY) != 0);
        av_packet_unref(mPacket.get());
        if (!st) {
            return st;
        }
    }
}

} // namespace dw::avifile
