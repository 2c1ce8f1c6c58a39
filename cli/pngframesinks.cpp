#include "pngframesinks.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <QImage>
#include <QImageWriter>

#include "design/picture.h"

namespace dw::cli {

bool savePng(const design::Picture& picture, const std::string& path, const SinkReport& report) {
    const QImage image = picture.view();
    if (image.isNull()) {
        report("cannot write " + path + ": the picture is empty");
        return false;
    }
    QImageWriter writer(QString::fromStdString(path), "png");
    if (!writer.write(image)) {
        report("cannot write " + path + ": " + writer.errorString().toStdString());
        return false;
    }
    return true;
}

PngFolderSink::PngFolderSink(std::string folder, SinkReport report)
    : mFolder(std::move(folder)), mReport(std::move(report)) {}

std::string PngFolderSink::frameFileName(std::int64_t number) {
    char name[40];
    std::snprintf(name, sizeof name, "frame-%06lld.png", static_cast<long long>(number));
    return name;
}

bool PngFolderSink::open(int, int, int) {
    std::error_code error;
    std::filesystem::create_directories(mFolder, error);
    if (!std::filesystem::is_directory(mFolder, error)) {
        mReport("cannot make the folder " + mFolder +
                (error ? ": " + error.message() : std::string()));
        return false;
    }
    mFrames = 0;
    return true;
}

bool PngFolderSink::writeFrame(const design::Picture& frame) {
    const std::string path = (std::filesystem::path(mFolder) / frameFileName(mFrames + 1)).string();
    if (!savePng(frame, path, mReport)) {
        return false;
    }
    ++mFrames;
    return true;
}

FirstFrameSink::FirstFrameSink(std::string path, SinkReport report)
    : mPath(std::move(path)), mReport(std::move(report)) {}

bool FirstFrameSink::writeFrame(const design::Picture& frame) {
    if (mWritten) {
        return false;
    }
    mWritten = savePng(frame, mPath, mReport);
    // One frame is all a still needs; refusing the rest ends the run.
    return false;
}

bool StartChecksSink::open(int width, int height, int framesPerSecond) {
    mReached = true;
    mWidth = width;
    mHeight = height;
    mFramesPerSecond = framesPerSecond;
    return false;
}

} // namespace dw::cli
