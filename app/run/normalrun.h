#pragma once
// The normal-mode run: the clock drawn with hands over a clean face, step by step from a start
// time for a duration, shown and, for an export, handed to the AVI writer as many times as the
// copy frame rate asks. It yields to the event queue after every frame; whatever it holds across
// a yield is shared-owned and checked after it, so a picture unloaded meanwhile ends the run
// through its closing steps.
#include <cstdint>
#include <memory>
#include <optional>

#include "render/framecomposer.h"
#include "render/handgeometry.h"
#include "render/normalrunsettings.h"
#include "render/renderwindowmodel.h"
#include "run/runcontext.h"
#include "run/runoutput.h"
#include "run/runpacer.h"
#include "run/runwriter.h"

namespace dw::run {

class NormalRun {
public:
    NormalRun(const RunContext& context, RunOutput output);
    // The pacer's check calls back into this run, so the run stays where it was made.
    NormalRun(const NormalRun&) = delete;
    NormalRun& operator=(const NormalRun&) = delete;

    // Checks the design (showing the first refusal), then produces the frames until the duration
    // is over, stopTest clears running, or a run-time error occurs. The closing steps follow the
    // frames and any run-time error past the first two checks; a refusal returns without them,
    // as it has set no flag. Never throws RuntimeError.
    void run();

private:
    bool start();
    bool readHandStyles();
    bool readStartTime();
    void openOutput();
    void step();
    void jitterFrames();
    void copies();
    void writeFrame();
    void nextFrame();
    void noticeStop();
    void afterYield();
    void close() noexcept;

    RunContext mCtx;
    RunOutput mOutput;
    RunPacer mPacer;
    RunWriter mWriter;
    render::NormalRunSettings mSettings;
    std::optional<render::FrameComposer> mComposer;           // from the end of the start checks
    std::shared_ptr<render::RenderWindowModel> mRenderWindow; // kept open by bitmap-hand runs
    render::MovementOptions mOptions;
    render::HandIndices mIndices;
    std::int32_t mFramesPerStep = 0;
    std::uint32_t mStepTimeMs = 1000;
    std::int32_t mRemaining = 0;
    std::int32_t mFrame = 0;
    std::int16_t mSubStep = 0;
    bool mStop = false;
};

} // namespace dw::run
