#pragma once
// The normal-mode run: the clock drawn with hands over a clean face, step by step from a start
// time for a duration, shown and, for an export, handed to the AVI writer as many times as the
// copy frame rate asks. It yields to the event queue after every frame; whatever it holds across
// a yield is shared-owned and checked after it, so a picture unloaded meanwhile ends the run
// through its closing steps.
#include <cstdint>

#include "design/pictureslots.h"
#include "render/handgeometry.h"
#include "render/linehands.h"
#include "run/runcontext.h"
#include "run/runoutput.h"
#include "run/runpacer.h"
#include "run/runwriter.h"

namespace dw::run {

class NormalRun {
public:
    NormalRun(const RunContext& context, RunOutput output);

    // Checks the design (showing the first refusal), then produces the frames until the duration
    // is over, stopTest clears running, or a run-time error occurs; the closing steps run on
    // every path once a check has passed the first two. Never throws RuntimeError.
    void run();

private:
    bool start();
    bool readHandStyles();
    bool readStartTime();
    void openOutput();
    void step();
    void jitterFrames();
    void copies();
    void restoreFace();
    void drawFrame();
    void writeFrame();
    void nextFrame();
    void noticeStop();
    void afterYield() const;
    const design::Picture& surface() const;
    void close() noexcept;

    RunContext mCtx;
    RunOutput mOutput;
    RunPacer mPacer;
    design::HeldPictureWindow mMain; // the line-mode surface, Picture1 of the main picture window
    RunWriter mWriter;
    bool mBitmap = false;
    render::MovementOptions mOptions;
    render::LineHandsStyle mStyle;
    render::HandIndices mIndices;
    std::int32_t mFramesPerStep = 0;
    std::uint32_t mStepTimeMs = 1000;
    std::int32_t mRemaining = 0;
    std::int32_t mFrame = 0;
    std::int16_t mSubStep = 0;
    bool mStop = false;
};

} // namespace dw::run
