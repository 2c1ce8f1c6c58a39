#include "run/normalrun.h"

#include <limits>
#include <utility>

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "render/renderwindowholder.h"
#include "render/vectorhand.h"
#include "run/closingsteps.h"
#include "run/runstate.h"

namespace dw::run {

using design::MessageIcon;
using design::PictureSlot;

namespace {

// The highest entry of the jitter offsets a step uses: frames 0 to 4 wobble, the copies follow.
constexpr std::int32_t kJitterFrames = 5;
constexpr std::uint32_t kJitterFrameMs = 25;
constexpr std::uint32_t kSecondMs = 1000;
// A sixth of a second, as whole milliseconds.
constexpr std::uint32_t kSmoothStepMs = 166;
constexpr std::int16_t kSmoothStepsPerSecond = 6;

} // namespace

NormalRun::NormalRun(const RunContext& context, RunOutput output)
    : mCtx(context), mOutput(std::move(output)),
      mPacer(context.host, context.design, [this] { afterYield(); }) {}

void NormalRun::run() {
    const ActiveRun active(mCtx.state);
    runWithClosingSteps(
        mCtx.state, [this] { return start(); },
        [this] {
            while (!mStop && mRemaining > 0) {
                step();
            }
        },
        [this] { close(); });
}

// The checks in their fixed order; a refusal shows its message and ends the run before any flag
// is set. A run-time error anywhere here still runs the closing steps (run() catches it).
bool NormalRun::start() {
    if (mCtx.state.saving) {
        mCtx.host.showMessage("Save in progress", MessageIcon::Information);
        return false;
    }
    if (!mCtx.pictures.isBMPobject(PictureSlot::Main)) {
        return false;
    }
    mWriter = RunWriter::create(mOutput.frameSink);
    mSettings.bitmapHands = render::readBitmapHands(mCtx.design);
    mOptions = render::MovementOptions::fromToolbar(mCtx.toolbar);
    const std::int32_t fps = mOutput.framesPerSecond;
    if (mOptions.smoothSecond && (fps <= 0 || fps % 6 != 0)) {
        mCtx.host.showMessage("In this version copy FPS must be a multiple of 6 for second hand "
                              "smooth movement",
                              MessageIcon::Information);
        return false;
    }
    if (mOptions.jitter) {
        mFramesPerStep = fps - kJitterFrames;
        mStepTimeMs = kSecondMs;
    } else if (mOptions.smoothSecond) {
        mFramesPerStep = fps / 6;
        mStepTimeMs = kSmoothStepMs;
    } else {
        mFramesPerStep = fps;
        mStepTimeMs = kSecondMs;
    }
    if (!readHandStyles()) {
        return false;
    }
    mCtx.geometry.computeHandTables(mCtx.design);
    mCtx.pictures.quickReloadBackground();
    if (!readStartTime()) {
        return false;
    }
    render::RotationObject rotation;
    if (mSettings.bitmapHands) {
        if (!mCtx.pictures.checkBitmapsLoaded()) {
            return false;
        }
        mSettings.bitmapTransparentColour = render::readBitmapTransparentColour(mCtx.design);
        mSettings.bitmapX = mCtx.design.bmptopx;
        mSettings.bitmapY = mCtx.design.bmptopy;
        render::FrameContext frames = mCtx.frameContext();
        rotation = render::prepareBitmapHands(frames);
    }
    mSettings.lines.innerCircle = render::readInnerCircleStyle(mCtx.design);
    const auto vectors = render::buildVectorHandSpecs(mCtx.design, mCtx.host);
    if (!vectors) {
        return false;
    }
    mSettings.lines.hour.vector = vectors->hour;
    mSettings.lines.minute.vector = vectors->minute;
    mSettings.lines.second.vector = vectors->second;
    mComposer.emplace(mCtx.frameContext(), mSettings, std::move(rotation));
    openOutput();
    return true;
}

// Widths first, each refused on its own; then the colours and the inner-radius choice.
bool NormalRun::readHandStyles() {
    using render::HandKind;
    const std::pair<HandKind, const char*> hands[] = {
        {HandKind::Hour, " hours"}, {HandKind::Minute, " minutes"}, {HandKind::Second, " seconds"}};
    render::HandStyle* styles[] = {&mSettings.lines.hour, &mSettings.lines.minute,
                                   &mSettings.lines.second};
    for (int i = 0; i < 3; ++i) {
        styles[i]->width = render::readHandWidth(mCtx.design, hands[i].first);
        if (styles[i]->width == 0) {
            mCtx.host.showMessage(std::string("Invalid width for") + hands[i].second,
                                  MessageIcon::None);
            return false;
        }
    }
    for (int i = 0; i < 3; ++i) {
        styles[i]->colour = render::readHandColour(mCtx.design, hands[i].first);
    }
    mSettings.lines.useInnerRadius = render::readUseInnerRadius(mCtx.design);
    return true;
}

bool NormalRun::readStartTime() {
    const design::ClockDesign& d = mCtx.design;
    const std::int32_t hours = design::int32Of(d.timeh);
    if (hours < 1 || hours > 12) {
        mCtx.host.showMessage("Invalid hour", MessageIcon::None);
        return false;
    }
    const std::int32_t minutes = design::int32Of(d.timem);
    if (minutes < 0 || minutes > 59) {
        mCtx.host.showMessage("Invalid minutes", MessageIcon::None);
        return false;
    }
    const std::int16_t seconds = design::int16Of(d.times);
    if (seconds < 0 || seconds > 59) {
        mCtx.host.showMessage("Invalid seconds", MessageIcon::None);
        return false;
    }
    mIndices = mCtx.geometry.startIndices(hours, minutes, seconds, mOptions);
    mRemaining = design::int32Of(d.duration);
    if (mRemaining < 1) {
        mCtx.host.showMessage("Invalid duration", MessageIcon::None);
        return false;
    }
    return true;
}

// From here the run is active. The writer may show dialogs (the compression options), during
// which commands can arrive, so the surface is asked for again after it.
void NormalRun::openOutput() {
    mCtx.state.framesStarted();
    if (mSettings.bitmapHands) {
        // The frames are composed in the render window: closing it would leave the export
        // writing an empty window, so it refuses to close until the closing steps.
        mRenderWindow = mCtx.renderWindow.shared();
        mRenderWindow->bSaving = true;
    }
    if (mOutput.save) {
        mCtx.state.saving = true;
        const design::Picture& frame = mComposer->surface();
        mWriter.open(mOutput.fileName, frame.width(), frame.height(), mOutput.framesPerSecond);
    }
    mFrame = 0;
    mSubStep = 0;
}

void NormalRun::step() {
    mCtx.geometry.advanceTime(mIndices, mOptions, mSubStep);
    if (mOptions.jitter) {
        jitterFrames();
    } else {
        mComposer->drawFrame(mIndices);
    }
    const std::uint32_t drawn = mPacer.now();
    if (!mOutput.save) {
        mPacer.waitFrom(drawn, mStepTimeMs);
    }
    if (mOptions.smoothSecond) {
        if (++mSubStep == kSmoothStepsPerSecond) {
            --mRemaining;
            mSubStep = 0;
        }
    } else {
        --mRemaining;
    }
    noticeStop();
    copies();
}

// Five frames in which the second hand wobbles about its new place; the offsets sum to 0, so
// the index ends where the step put it. A stop is noticed after each, but all five are drawn.
void NormalRun::jitterFrames() {
    for (int j = 0; j < kJitterFrames; ++j) {
        mComposer->restoreFace();
        const std::uint32_t started = mPacer.now();
        mIndices.second = render::jitterSecond(mIndices.second, mCtx.design.jitterOffsets, j);
        nextFrame();
        mComposer->drawHands(mIndices);
        if (!mOutput.save) {
            mPacer.waitFrom(started, kJitterFrameMs);
        } else {
            writeFrame();
            mPacer.showStatus(mIndices.hour, mIndices.minute, mIndices.second, mFrame);
            mPacer.yieldOnce();
        }
        noticeStop();
    }
}

// The step's copies of the frame on the surface. A test counts them exactly as an export does,
// without writing; an export writes them without drawing again.
void NormalRun::copies() {
    for (std::int32_t n = 1; n <= mFramesPerStep; ++n) {
        if (mOutput.save) {
            writeFrame();
        }
        nextFrame();
        mPacer.yieldOnce();
    }
}

void NormalRun::writeFrame() {
    mWriter.writeFrame(mComposer->surface());
}

// The frame number is a 32-bit count; a run long enough to pass it ends as an overflow.
void NormalRun::nextFrame() {
    if (mFrame == std::numeric_limits<std::int32_t>::max()) {
        throw design::RuntimeError(design::kOverflow);
    }
    ++mFrame;
    mPacer.showStatus(mIndices.hour, mIndices.minute, mIndices.second, mFrame);
}

void NormalRun::noticeStop() {
    if (!mCtx.state.running) {
        mStop = true;
    }
}

// A picture the run started with that left its slot during the yield ends the run here.
void NormalRun::afterYield() {
    if (mComposer) {
        mComposer->surface();
    }
}

// Saving off, the file closed, running off, idle on: after the loop and after any run-time
// error, so that an export interrupted anywhere leaves a file that plays to its last frame.
void NormalRun::close() noexcept {
    if (mRenderWindow) {
        mRenderWindow->bSaving = false;
    }
    mCtx.state.saving = false;
    if (mOutput.save) {
        mWriter.close();
    }
    if (mComposer) {
        mComposer->releaseRotation();
    }
    mWriter.release();
    mCtx.state.framesEnded();
}

} // namespace dw::run
