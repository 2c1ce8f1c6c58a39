#pragma once
// The AVI writer of one run: a WrapDLGAVI object of the reelkit component, used in the one fixed
// way every run uses it (open before the first frame, one WriteFrameEx per frame, close in the
// closing steps), or a frame sink standing in for it. A failure reported by the writer is a
// run-time error: the run catches it and ends through its closing steps, the writer having
// already shown its own message.
#include <cstdint>
#include <memory>
#include <string>

#include "run/framesink.h"

namespace reelkit {
class IWrapDLGAVI;
}

namespace dw::design {
class Picture;
}

namespace dw::run {

// What a refusing frame sink raises; never shown, the sink has told the user why.
inline constexpr const char* kFrameSinkRefused = "The frames could not be written";

class RunWriter {
public:
    // Holds nothing; open and writeFrame then fail as calls through an unset object variable.
    RunWriter() = default;
    ~RunWriter();

    RunWriter(RunWriter&& other) noexcept;
    RunWriter& operator=(RunWriter&& other) noexcept;
    RunWriter(const RunWriter&) = delete;
    RunWriter& operator=(const RunWriter&) = delete;

    // The sink when one is given, else a new WrapDLGAVI object. Throws RuntimeError with the
    // platform's description (e.g. "Class not registered") when the object cannot be created.
    static RunWriter create(std::shared_ptr<FrameSink> sink);

    // WriteAVIFile(fileName, width, height, 24, framesPerSecond), or the sink's open. Throws
    // RuntimeError when the writer refuses (it has shown why: "AVIFileOpen failed.\n", ...).
    void open(const std::string& fileName, std::int32_t width, std::int32_t height,
              std::int32_t framesPerSecond);

    // WriteFrameEx with the picture's window handle, image, width and height, or the sink's
    // writeFrame. Throws RuntimeError when the writer reports a failure (nothing open any more,
    // e.g. after "Couldn't write video data.\n").
    void writeFrame(const design::Picture& frame);

    // The same with the width and height the caller gives (the writer refuses, with its message,
    // a size other than the one opened; the frame is then dropped and the run goes on).
    void writeFrame(const design::Picture& frame, std::int32_t width, std::int32_t height);

    // CloseAVIFile, or the sink's close; the file is complete on disk afterwards. Safe without an
    // open file and without an object. Never throws.
    void close() noexcept;

    // Lets the object go now; nothing when none is held.
    void release() noexcept;

private:
    reelkit::IWrapDLGAVI* mWriter = nullptr;
    std::shared_ptr<FrameSink> mSink;
};

} // namespace dw::run
