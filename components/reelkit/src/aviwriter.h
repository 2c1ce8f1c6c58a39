#pragma once
// The AVI writer: one record per loaded library, shared by every WrapDLGAVI object. It opens one
// file at a time, captures each frame as 24-bit bottom-up rows and hands it to the AVI file
// library's compressing stream. Failures are shown through the message-box hook with the caption
// "Fatal Error" and returned only where the interface returns them.
#include <cstdint>
#include <memory>
#include <vector>

#include "dw/avifile/avifile.h"
#include "dw/avifile/compression.h"
#include "dw/platform/com/hresult.h"
#include "framecapture.h"

namespace reelkit {

using dw::com::HRESULT;

class AviWriter {
public:
    struct Stats {
        std::int64_t framesUnchanged = 0; // WriteFrameEx captures that found the same picture
        dw::avifile::CompressedStream::Stats stream; // of the file open now, or the last one
    };

    AviWriter() = default;
    // Finishes a file still open, so that it plays.
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    // Does nothing; S_OK.
    HRESULT Initialize();
    // Captures `hbitmap` through `hdc` and writes it. S_OK always; problems are shown.
    HRESULT WriteFrame(std::int32_t hbitmap, std::int32_t hdc, std::int32_t width,
                       std::int32_t height);
    // Opens `fname` (UTF-8) for frames of this size and rate, asking for the compressor. S_OK
    // when open; otherwise the reason is shown and E_FAIL returned. An open file is closed first.
    HRESULT WriteAVIFile(const char* fname, std::int32_t width, std::int32_t height,
                         std::int32_t bitsperpixel, std::int32_t fps);
    // Finishes and closes the file; S_OK always. When the file's last frames, indexes or header
    // cannot be written, "Couldn't write video data.\n" is shown.
    HRESULT CloseAVIFile();
    // Captures the bitmap of window `hwnd` into the frame buffer and writes it. E_FAIL, with no
    // message, when no file is open; S_OK otherwise (problems are shown).
    HRESULT WriteFrameEx(std::int32_t hwnd, std::int32_t hbitmap, std::int32_t width,
                         std::int32_t height);

    Stats stats() const;
    // Turns off the reuse of unchanged frames, so benchmarks can compare with encoding each copy.
    void setReuseUnchangedFrames(bool reuse) { mReuseUnchanged = reuse; }

private:
    HRESULT fail(const char* message);
    bool formatMatches(std::int32_t width, std::int32_t height) const;
    void writeFrameData(const std::uint8_t* data, dw::avifile::SampleHint hint);
    HRESULT openStreams(const char* fname);
    // Finishes and releases the file; shows a failure to finish it when `reportFailure`.
    void closeFile(bool reportFailure);
    bool finishFile(); // false when the file could not be finished

    dw::avifile::StreamInfo mStreamInfo;
    std::unique_ptr<dw::avifile::AviFile> mFile;
    std::shared_ptr<dw::avifile::Stream> mRawStream;
    std::shared_ptr<dw::avifile::CompressedStream> mCompressedStream;
    std::int32_t mFrameSize = 0;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::int32_t mFps = 0;
    std::int32_t mBitsPerPixel = 0;
    std::int32_t mFrameCounter = 0;
    bool mOpen = false;
    std::vector<std::uint8_t> mFrameBuffer; // empty: none
    FrameCapture mCapture;
    bool mPreviousFromFrameBuffer = false; // the last frame written is the frame buffer's bytes
    bool mLibraryStarted = false;
    bool mReuseUnchanged = true;
    Stats mStats;
};

// The writer record of this loaded library.
AviWriter& sharedWriter();

} // namespace reelkit
