#pragma once
// Frame sinks of the command line: the frames of an export as PNG files (frames), the first
// frame alone (still), and a sink that stops a run just before its first frame, once every start
// check has passed (check).
#include <cstdint>
#include <functional>
#include <string>

#include "run/framesink.h"

namespace dw::cli {

// Reports a failure of a sink to the user (the CLI host's report).
using SinkReport = std::function<void(const std::string&)>;

// Writes frame N (from 1) as DIR/frame-NNNNNN.png. The folder is made when missing.
class PngFolderSink : public run::FrameSink {
public:
    PngFolderSink(std::string folder, SinkReport report);

    bool open(int width, int height, int framesPerSecond) override;
    bool writeFrame(const design::Picture& frame) override;
    void close() override {}

    std::int64_t framesWritten() const { return mFrames; }
    // The file name of frame `number` (from 1) inside the folder.
    static std::string frameFileName(std::int64_t number);

private:
    std::string mFolder;
    SinkReport mReport;
    std::int64_t mFrames = 0;
};

// Writes the first frame to a PNG file and then ends the run (refusing the next frame is how a
// sink ends a run; nothing is reported for it).
class FirstFrameSink : public run::FrameSink {
public:
    FirstFrameSink(std::string path, SinkReport report);

    bool open(int, int, int) override { return true; }
    bool writeFrame(const design::Picture& frame) override;
    void close() override {}

    bool written() const { return mWritten; }

private:
    std::string mPath;
    SinkReport mReport;
    bool mWritten = false;
};

// Refuses to open, so a run ends right after its start checks without producing a frame.
class StartChecksSink : public run::FrameSink {
public:
    bool open(int width, int height, int framesPerSecond) override;
    bool writeFrame(const design::Picture&) override { return false; }
    void close() override {}

    // True once the run got as far as opening its output: every start check passed.
    bool reached() const { return mReached; }
    int width() const { return mWidth; }
    int height() const { return mHeight; }
    int framesPerSecond() const { return mFramesPerSecond; }

private:
    bool mReached = false;
    int mWidth = 0;
    int mHeight = 0;
    int mFramesPerSecond = 0;
};

// Writes a picture as a PNG file; false after reporting why.
bool savePng(const design::Picture& picture, const std::string& path, const SinkReport& report);

} // namespace dw::cli
