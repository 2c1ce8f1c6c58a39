#include "run/normalrun.h"

#include <limits>
#include <utility>

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "render/handcolour.h"
#include "render/surfacepainter.h"
#include "render/vectorhand.h"
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
    try {
        if (!start()) {
            return;
        }
        while (!mStop && mRemaining > 0) {
            step();
        }
    } catch (const design::RuntimeError&) {
        // The run's one error trap: no message, the closing steps below.
    } catch (...) {
        close();
        throw;
    }
    close();
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
    mMain = design::HeldPictureWindow(mCtx.pictures, PictureSlot::Main);
    mWriter = RunWriter::create(mOutput.frameSink);
    mBitmap = mCtx.design.chkBitmap == 1;
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
    restoreFace();
    if (!readStartTime()) {
        return false;
    }
    if (mBitmap && !mCtx.pictures.checkBitmapsLoaded()) {
        return false;
    }
    mStyle.innerCircle = render::readInnerCircleStyle(mCtx.design);
    const auto vectors = render::buildVectorHandSpecs(mCtx.design, mCtx.host);
    if (!vectors) {
        return false;
    }
    mStyle.hour.vector = vectors->hour;
    mStyle.minute.vector = vectors->minute;
    mStyle.second.vector = vectors->second;
    openOutput();
    return true;
}

// Widths first, each refused on its own; then the colours and the inner-radius choice.
bool NormalRun::readHandStyles() {
    const design::ClockDesign& d = mCtx.design;
    const std::pair<const std::string*, const char*> widths[] = {
        {&d.hw, " hours"}, {&d.mw, " minutes"}, {&d.sw, " seconds"}};
    render::HandStyle* styles[] = {&mStyle.hour, &mStyle.minute, &mStyle.second};
    for (int i = 0; i < 3; ++i) {
        styles[i]->width = design::int32Of(*widths[i].first);
        if (styles[i]->width == 0) {
            mCtx.host.showMessage(std::string("Invalid width for") + widths[i].second,
                                  MessageIcon::None);
            return false;
        }
    }
    mStyle.hour.colour = render::colourOfNumbers(d.hred, d.hgreen, d.hblue);
    mStyle.minute.colour = render::colourOfNumbers(d.mred, d.mgreen, d.mblue);
    mStyle.second.colour = render::colourOfNumbers(d.sred, d.sgreen, d.sblue);
    mStyle.useInnerRadius = d.useir != 0;
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
// which commands can arrive, so the surface is checked again before it is used.
void NormalRun::openOutput() {
    mCtx.state.framesStarted();
    if (mOutput.save) {
        mCtx.state.saving = true;
        const design::Picture& frame = surface();
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
        restoreFace();
        drawFrame();
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
        restoreFace();
        const std::uint32_t started = mPacer.now();
        mIndices.second = render::jitterSecond(mIndices.second, mCtx.design.jitterOffsets, j);
        nextFrame();
        drawFrame();
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

void NormalRun::restoreFace() {
    mMain.check();
    mCtx.pictures.quickReloadBackground();
}

void NormalRun::drawFrame() {
    mMain.check();
    design::Picture& picture = mMain->Picture1();
    {
        render::SurfacePainter painter(picture);
        render::drawLineHands(painter, mCtx.geometry.tables(), mCtx.design, mStyle, mIndices);
    }
    mMain->pictureChanged();
}

void NormalRun::writeFrame() {
    mWriter.writeFrame(surface());
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

void NormalRun::afterYield() const {
    mMain.check();
}

const design::Picture& NormalRun::surface() const {
    mMain.check();
    return mMain->Picture1();
}

// Saving off, the file closed, running off, idle on: after the loop and after any run-time
// error, so that an export interrupted anywhere leaves a file that plays to its last frame.
void NormalRun::close() noexcept {
    mCtx.state.saving = false;
    if (mOutput.save) {
        mWriter.close();
    }
    mWriter.release();
    mCtx.state.framesEnded();
}

} // namespace dw::run
