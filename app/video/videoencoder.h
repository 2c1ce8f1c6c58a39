#pragma once
// One video file being written: a libavcodec encoder feeding a libavformat muxer, through an
// OutputFile. A frame goes in once with its duration in frame-times; the container stores that
// duration as its own (sample durations, block durations, GIF delays), so a picture held for F
// frame-times is encoded once.
#include <cstdint>
#include <map>
#include <string>

#include <QImage>

#include "video/containers.h"
#include "video/ffmpegtools.h"
#include "video/outputfile.h"

namespace dw::video {

struct EncoderSettings {
    int bitrateKbps = 0;   // 0: the codec's own quality default
    int keyFrameEvery = 0; // 0: the codec's default
};

class VideoEncoder {
public:
    VideoEncoder() = default;
    ~VideoEncoder() = default;
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Opens the temporary file, the encoder and the muxer for frames of width x height at
    // framesPerSecond, and writes the header. Error text on failure (nothing is left on disk).
    std::string open(const std::string& path, const Container& container, const VideoCodec& codec,
                     const EncoderSettings& settings, int width, int height, int framesPerSecond);

    // Encodes a picture (Format_RGB32, the frames' size) shown from frame-time `start` for
    // `duration` frame-times. Error text on failure.
    std::string encodePicture(const QImage& picture, std::int64_t start, std::int64_t duration);
    // The same for a frame already in the encoder's pixel format (the GIF's palette frames).
    std::string encodeFrame(AVFrame* frame, std::int64_t start, std::int64_t duration);

    // Flushes the encoder, writes what it returns and the container's index, and puts the file
    // in place. Error text on failure; the file is then removed.
    std::string finish();
    // Drops the file; nothing is left on disk. Never fails.
    void abandon() noexcept;

    bool diskFull() const { return mFile.diskFull(); }
    // Frame-times the muxer holds: the end of the last packet written.
    std::int64_t framesStored() const { return mStoredEnd; }
    // The pixel format frames must have for encodeFrame.
    AVPixelFormat pixelFormat() const;
    bool isOpen() const { return mFormat != nullptr; }

private:
    std::string openEncoder(const VideoCodec& codec, const EncoderSettings& settings, int width,
                            int height, int framesPerSecond);
    std::string openMuxer(const Container& container, int framesPerSecond);
    std::string send(AVFrame* frame);
    std::string writePackets();
    void release() noexcept;

    OutputFile mFile;
    FormatContextPtr mFormat;
    CodecContextPtr mCodec;
    FramePtr mFrame;
    PacketPtr mPacket;
    ScalePtr mScale;
    AVStream* mStream = nullptr;
    bool mGif = false;
    bool mHeaderWritten = false;
    // Durations by presentation time: encoders hand packets back in decoding order.
    std::map<std::int64_t, std::int64_t> mDurations;
    std::int64_t mStoredEnd = 0;
};

} // namespace dw::video
