#include "run/digitalexport.h"

#include <cstdint>

#include "design/picture.h"
#include "design/runtimeerror.h"
#include "dw/platform/com/activation.h"
#include "dw/platform/com/errortext.h"
#include "reelkit/iwrapdlgavi.h"

namespace dw::run {

namespace {

// The writer has already shown its own message; the run only needs to end.
void check(com::HRESULT hr) {
    if (com::FAILED(hr)) {
        throw design::RuntimeError(com::describeHResult(hr));
    }
}

} // namespace

DigitalExport::DigitalExport(const RunOutput& output) : mOutput(output) {}

DigitalExport::~DigitalExport() {
    if (mWriter != nullptr) {
        mWriter->Release();
    }
}

void DigitalExport::open(int width, int height) {
    if (mOutput.frameSink) {
        if (!mOutput.frameSink->open(width, height, mOutput.framesPerSecond)) {
            throw design::RuntimeError("The frames could not be written");
        }
        return;
    }
    void* object = nullptr;
    check(com::CoCreateInstance(reelkit::CLSID_WrapDLGAVI, nullptr, reelkit::IID_IWrapDLGAVI,
                                &object));
    mWriter = static_cast<reelkit::IWrapDLGAVI*>(object);
    check(mWriter->WriteAVIFile(mOutput.fileName.c_str(), width, height, 24,
                                mOutput.framesPerSecond));
}

void DigitalExport::writeFrame(const design::Picture& frame) {
    if (mOutput.frameSink) {
        if (!mOutput.frameSink->writeFrame(frame)) {
            throw design::RuntimeError("The frames could not be written");
        }
        return;
    }
    if (mWriter == nullptr) {
        throw design::RuntimeError("The AVI file is not open");
    }
    check(mWriter->WriteFrameEx(static_cast<std::int32_t>(frame.windowHandle()),
                                static_cast<std::int32_t>(frame.handle()), frame.width(),
                                frame.height()));
}

void DigitalExport::close() noexcept {
    try {
        if (mOutput.frameSink) {
            mOutput.frameSink->close();
        } else if (mWriter != nullptr) {
            mWriter->CloseAVIFile();
        }
    } catch (...) {
        // A closing step must finish; a sink that throws has nothing more to say to the run.
    }
}

} // namespace dw::run
