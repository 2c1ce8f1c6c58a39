#include "run/runwriter.h"

#include <utility>

#include "design/picture.h"
#include "design/pictureslots.h"
#include "design/runtimeerror.h"
#include "dw/platform/com/activation.h"
#include "dw/platform/com/errortext.h"
#include "reelkit/iwrapdlgavi.h"

namespace dw::run {

namespace {

void check(com::HRESULT hr) {
    if (com::FAILED(hr)) {
        throw design::RuntimeError(com::describeHResult(hr));
    }
}

} // namespace

RunWriter::~RunWriter() {
    release();
}

RunWriter::RunWriter(RunWriter&& other) noexcept
    : mWriter(std::exchange(other.mWriter, nullptr)), mSink(std::move(other.mSink)) {}

RunWriter& RunWriter::operator=(RunWriter&& other) noexcept {
    if (this != &other) {
        release();
        mWriter = std::exchange(other.mWriter, nullptr);
        mSink = std::move(other.mSink);
    }
    return *this;
}

RunWriter RunWriter::create(std::shared_ptr<FrameSink> sink) {
    RunWriter writer;
    if (sink) {
        writer.mSink = std::move(sink);
        return writer;
    }
    void* object = nullptr;
    check(com::CoCreateInstance(reelkit::CLSID_WrapDLGAVI, nullptr, reelkit::IID_IWrapDLGAVI,
                                &object));
    writer.mWriter = static_cast<reelkit::IWrapDLGAVI*>(object);
    return writer;
}

void RunWriter::open(const std::string& fileName, std::int32_t width, std::int32_t height,
                     std::int32_t framesPerSecond) {
    if (mSink) {
        if (!mSink->open(width, height, framesPerSecond)) {
            throw design::RuntimeError(kFrameSinkRefused);
        }
        return;
    }
    if (mWriter == nullptr) {
        throw design::RuntimeError(design::kObjectVariableNotSet);
    }
    check(mWriter->WriteAVIFile(fileName.c_str(), width, height, 24, framesPerSecond));
}

void RunWriter::writeFrame(const design::Picture& frame) {
    writeFrame(frame, frame.width(), frame.height());
}

void RunWriter::writeFrame(const design::Picture& frame, std::int32_t width,
                           std::int32_t height) {
    if (mSink) {
        if (!mSink->writeFrame(frame)) {
            throw design::RuntimeError(kFrameSinkRefused);
        }
        return;
    }
    if (mWriter == nullptr) {
        throw design::RuntimeError(design::kObjectVariableNotSet);
    }
    check(mWriter->WriteFrameEx(static_cast<std::int32_t>(frame.windowHandle()),
                                static_cast<std::int32_t>(frame.handle()), width, height));
}

void RunWriter::close() noexcept {
    if (mSink) {
        try {
            mSink->close();
        } catch (...) {
            // A closing step must not fail; a sink that throws here has nothing left to give.
        }
    } else if (mWriter != nullptr) {
        mWriter->CloseAVIFile();
    }
}

void RunWriter::release() noexcept {
    mSink.reset();
    if (mWriter != nullptr) {
        std::exchange(mWriter, nullptr)->Release();
    }
}

} // namespace dw::run
