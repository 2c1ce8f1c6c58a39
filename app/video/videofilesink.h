#pragma once
// The frame sink of the video outputs. A run hands it every frame an AVI export would get, the
// copies of a step as repeated calls with an unchanged picture; the sink keeps a picture until a
// different one arrives and then encodes it once with the number of frame-times it lasted. Run
// loops that redraw an unchanged read-out (digital mode) are caught the same way, since the
// comparison is of the pixels. With constant frame rate every frame is encoded on its own.
#include <cstdint>
#include <functional>
#include <string>

#include <QImage>

#include "run/framesink.h"
#include "video/containers.h"
#include "video/framespool.h"
#include "video/gifpalette.h"
#include "video/videoencoder.h"

namespace dw::video {

struct VideoSinkSettings {
    std::string path;
    const Container* container = nullptr;
    const VideoCodec* codec = nullptr;
    EncoderSettings encoder;
    bool constantFrameRate = false;
    std::function<void(std::int64_t frames)> progress; // after each frame taken; may be empty
};

class VideoFileSink : public run::FrameSink {
public:
    explicit VideoFileSink(VideoSinkSettings settings);
    ~VideoFileSink() override;

    bool open(int width, int height, int framesPerSecond) override;
    bool writeFrame(const design::Picture& frame) override;
    void close() override;

    // Frames the run handed over.
    std::int64_t framesTaken() const { return mTaken; }
    // Frame-times in the finished file; 0 when none was written.
    std::int64_t framesStored() const { return mStored; }
    // True once the file is in place at the output path.
    bool written() const { return mWritten; }
    bool diskFull() const { return mDiskFull; }
    // What went wrong, as one sentence; empty when nothing did.
    const std::string& error() const { return mError; }

private:
    bool fail(const std::string& error);
    std::string flushPending();
    std::string flushLast();
    std::string store(const QImage& picture, std::int64_t start, std::int64_t duration);
    std::string encodeGif();
    std::string encodeGifEntry(GifMapper& mapper, const FrameSpool::Entry& entry);

    VideoSinkSettings mSettings;
    VideoEncoder mEncoder;
    FrameSpool mSpool;
    GifPalette mPalette;
    QImage mPending;
    std::int64_t mPendingStart = 0;
    std::int64_t mPendingCount = 0;
    std::int64_t mTaken = 0;
    std::int64_t mStored = 0;
    bool mOpen = false;
    bool mWritten = false;
    bool mDiskFull = false;
    std::string mError;
};

} // namespace dw::video
