#include "video/videofilesink.h"

#include <cstring>

#include "design/picture.h"

namespace dw::video {

namespace {

bool samePicture(const QImage& a, const QImage& b) {
    return a.size() == b.size() && a.bytesPerLine() == b.bytesPerLine() &&
           std::memcmp(a.constBits(), b.constBits(), static_cast<std::size_t>(a.sizeInBytes())) ==
               0;
}

} // namespace

VideoFileSink::VideoFileSink(VideoSinkSettings settings) : mSettings(std::move(settings)) {}

VideoFileSink::~VideoFileSink() {
    if (mOpen) {
        mEncoder.abandon();
    }
}

bool VideoFileSink::fail(const std::string& error) {
    if (mError.empty()) {
        mError = error;
    }
    return false;
}

bool VideoFileSink::open(int width, int height, int framesPerSecond) {
    if (mSettings.container == nullptr || mSettings.codec == nullptr) {
        return fail("no container or codec chosen for " + mSettings.path);
    }
    std::string error = mEncoder.open(mSettings.path, *mSettings.container, *mSettings.codec,
                                      mSettings.encoder, width, height, framesPerSecond);
    if (error.empty() && mSettings.container->gif) {
        error = mSpool.open();
        if (error.empty()) {
            error = mPalette.open(width, height);
        }
    }
    if (!error.empty()) {
        mEncoder.abandon();
        return fail(error);
    }
    mOpen = true;
    return true;
}

bool VideoFileSink::writeFrame(const design::Picture& frame) {
    if (!mOpen) {
        return fail("the video is not open");
    }
    const QImage picture = frame.view();
    std::string error;
    if (mSettings.constantFrameRate && !mSettings.container->gif) {
        error = store(picture, mTaken, 1);
    } else if (mPendingCount > 0 && samePicture(picture, mPending)) {
        ++mPendingCount;
    } else {
        error = flushPending();
        mPending = picture.copy();
        mPendingStart = mTaken;
        mPendingCount = 1;
    }
    if (!error.empty()) {
        return fail(error);
    }
    ++mTaken;
    if (mSettings.progress) {
        mSettings.progress(mTaken);
    }
    if (mEncoder.diskFull()) {
        // The reserve gave the file room for its ending; the run stops here.
        mDiskFull = true;
        return fail("the disk is full");
    }
    return true;
}

std::string VideoFileSink::flushPending() {
    if (mPendingCount == 0) {
        return {};
    }
    const std::int64_t count = mPendingCount;
    mPendingCount = 0;
    return store(mPending, mPendingStart, count);
}

// Demuxers give a picture the one frame-time the file's nominal rate implies, unless the next
// picture's time says otherwise; the last has no next, so a picture held to the end gets one
// repeat (the codec's cheapest frame) at its final frame-time. A GIF says its last delay itself.
std::string VideoFileSink::flushLast() {
    if (mSettings.container->gif || mPendingCount < 2) {
        return flushPending();
    }
    const std::int64_t count = mPendingCount;
    mPendingCount = 0;
    const std::string error = store(mPending, mPendingStart, count - 1);
    return error.empty() ? store(mPending, mPendingStart + count - 1, 1) : error;
}

std::string VideoFileSink::store(const QImage& picture, std::int64_t start, std::int64_t duration) {
    if (!mSettings.container->gif) {
        return mEncoder.encodePicture(picture, start, duration);
    }
    const std::string error = mPalette.add(picture);
    return error.empty() ? mSpool.append(picture, start, duration) : error;
}

void VideoFileSink::close() {
    if (!mOpen) {
        return;
    }
    mOpen = false;
    std::string error = flushLast();
    if (error.empty() && mSettings.container->gif) {
        error = encodeGif();
    }
    if (mTaken == 0 && error.empty()) {
        // An export that ended before its first frame leaves no file.
        mEncoder.abandon();
        return;
    }
    const std::int64_t stored = mEncoder.framesStored();
    const std::string finished = mEncoder.finish();
    if (error.empty()) {
        error = finished;
    }
    mDiskFull = mDiskFull || mEncoder.diskFull();
    if (finished.empty()) {
        mWritten = true;
        mStored = stored;
    }
    if (!error.empty()) {
        fail(error);
    }
}

std::string VideoFileSink::encodeGif() {
    std::string error;
    const FramePtr palette = mPalette.finish(&error);
    if (!palette) {
        return error;
    }
    GifMapper mapper;
    error = mapper.open(mPending.width(), mPending.height(), *palette);
    if (error.empty()) {
        error = mSpool.rewind();
    }
    FrameSpool::Entry entry;
    while (error.empty() && mSpool.next(entry, &error)) {
        error = encodeGifEntry(mapper, entry);
    }
    return error;
}

// A distinct picture, mapped onto the palette once; with constant frame rate it is written once
// per frame-time it lasts.
std::string VideoFileSink::encodeGifEntry(GifMapper& mapper, const FrameSpool::Entry& entry) {
    std::string error;
    const FramePtr mapped = mapper.map(entry.picture, &error);
    if (!mapped) {
        return error;
    }
    const bool each = mSettings.constantFrameRate;
    for (std::int64_t n = 0; error.empty() && n < (each ? entry.duration : 1); ++n) {
        error = mEncoder.encodeFrame(mapped.get(), entry.start + n, each ? 1 : entry.duration);
    }
    if (error.empty() && mEncoder.diskFull()) {
        mDiskFull = true;
        error = "the disk is full";
    }
    return error;
}

} // namespace dw::video
