// The run commands of the designer session: test, save_avi, stopTest, the choice of run loop,
// the close request of the design window and the component check at start-up.
#include "design/host.h"
#include "design/numbertext.h"
#include "dw/platform/com/activation.h"
#include "dw/platform/com/errortext.h"
#include "reelkit/iwrapdlgavi.h"
#include "run/designersession.h"
#include "run/eraserun.h"
#include "run/normalrun.h"
#include "spinblit/igdiext.h"

namespace dw::run {

using design::MessageIcon;

namespace {

constexpr const char* kAviFilter = "AVI Files (*.avi)|*.avi|All files (*.*)|*.*";

// Creates an object of a component class and lets it go again; the status of the creation.
com::HRESULT tryCreate(const com::CLSID& clsid, const com::IID& iid) {
    void* object = nullptr;
    const com::HRESULT hr = com::CoCreateInstance(clsid, nullptr, iid, &object);
    if (com::SUCCEEDED(hr) && object != nullptr) {
        static_cast<com::IUnknown*>(object)->Release();
    }
    return hr;
}

MessageIcon iconOf(std::uint32_t flags) {
    switch (flags & 0xF0) {
    case 0:
        return MessageIcon::None;
    case platform::MB_ICONERROR:
        return MessageIcon::Critical;
    default:
        return MessageIcon::Information;
    }
}

} // namespace

platform::MessageBoxHook DesignerSession::routeMessageBoxes() {
    return [this](const std::string& text, const std::string& caption, std::uint32_t flags) {
        mHost.showCaptionedMessage(text, caption, iconOf(flags));
        return platform::IDOK;
    };
}

RunContext DesignerSession::runContext() {
    return RunContext{mHost,     mDesign,       mToolbar,     mGeometry,
                      mPictures, mRenderWindow, mBitmapHands, mRunState};
}

// The copy frame rate of the FPS box, halves to even. False, after the message, below 1.
bool DesignerSession::readCopyFramesPerSecond(std::int32_t& framesPerSecond) {
    framesPerSecond = design::int32Of(mDesign.copyfps);
    if (framesPerSecond < 1) {
        mHost.showMessage("Invalid copy frames per second!", MessageIcon::None);
        return false;
    }
    return true;
}

void DesignerSession::test() {
    guarded([this] {
        RunOutput output;
        if (readCopyFramesPerSecond(output.framesPerSecond)) {
            runChosenLoop(output);
        }
    });
}

void DesignerSession::save_avi() {
    if (!exportAllowed()) {
        return;
    }
    const std::string fileName = mHost.saveFileDialog(kAviFilter, "");
    if (fileName.empty()) {
        return; // cancelled: nothing to write to, so no run and no writer message
    }
    exportTo(fileName, nullptr);
}

void DesignerSession::saveAviAs(const std::string& fileName, std::shared_ptr<FrameSink> sink) {
    if (exportAllowed()) {
        exportTo(fileName, std::move(sink));
    }
}

bool DesignerSession::exportAllowed() {
    if (mPictures.fileName(design::PictureSlot::Main).empty()) {
        mHost.showMessage("Please load a picture first", MessageIcon::Information);
        return false;
    }
    if (mRunState.running) {
        mHost.showMessage("Clock is running! Press the stop test button first.",
                          MessageIcon::Information);
        return false;
    }
    return true;
}

// The frame rate is checked only now, after the file was chosen.
void DesignerSession::exportTo(const std::string& fileName, std::shared_ptr<FrameSink> sink) {
    guarded([&] {
        RunOutput output{true, fileName, 1, std::move(sink)};
        if (readCopyFramesPerSecond(output.framesPerSecond)) {
            runChosenLoop(output);
        }
    });
}

void DesignerSession::runChosenLoop(const RunOutput& output) {
    if (mDesign.chkDigital == 1) {
        // The digital run stores the design's frame rate back into its output.
        RunOutput digital = output;
        digitalAnimation(digital, false);
    } else if (mDesign.erase == 1) {
        EraseRun(runContext(), output).run();
    } else {
        NormalRun(runContext(), output).run();
    }
}

bool DesignerSession::requestClose() {
    if (mRunState.running) {
        mHost.showMessage("Cannot exit at this time, press stop", MessageIcon::Information);
        return false;
    }
    if (!mRunState.idle) {
        mHost.showMessage("Cannot exit at this time, stop in progress. Try again in a second.",
                          MessageIcon::Information);
        return false;
    }
    return true;
}

bool DesignerSession::registrationCheck() {
    const char* pending = "reelkit.dll not registered";
    com::HRESULT hr = tryCreate(reelkit::CLSID_WrapDLGAVI, reelkit::IID_IWrapDLGAVI);
    if (com::SUCCEEDED(hr)) {
        pending = "spinblit.dll not registered";
        hr = tryCreate(spinblit::CLSID_gdiext, spinblit::IID_Igdiext);
    }
    if (com::FAILED(hr)) {
        mHost.showMessage(com::describeHResult(hr) + "\r\n" + pending, MessageIcon::Critical);
        return false;
    }
    return true;
}

} // namespace dw::run
