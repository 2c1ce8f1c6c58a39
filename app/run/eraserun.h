#pragma once
// The erase-mode run: a line in the second hand's width and colour sweeps around the clock
// centre on the main picture, one degree a frame, six frames a second of clock time, and is never
// wiped, so the face is painted over as it goes. With the composite box ticked each frame is
// laid, one colour left out, over the erase background in the render window. Frames are shown
// and, for an export, handed to the AVI writer. Whatever it holds across a yield is shared-owned
// and checked after it.
#include <cstdint>
#include <memory>

#include "design/pictureslots.h"
#include "render/rotationobject.h"
#include "run/runcontext.h"
#include "run/runoutput.h"
#include "run/runpacer.h"
#include "run/runwriter.h"

namespace dw::render {
class RenderWindowModel;
}

namespace dw::run {

class EraseRun {
public:
    EraseRun(const RunContext& context, RunOutput output);
    // The pacer's check calls back into this run, so the run stays where it was made.
    EraseRun(const EraseRun&) = delete;
    EraseRun& operator=(const EraseRun&) = delete;

    // Checks the design (showing the first refusal), then sweeps until the duration is over,
    // stopTest clears running, or a run-time error occurs. The closing steps follow the frames
    // and any run-time error past the first two checks; a refusal returns without them, as it
    // has set no flag. Never throws RuntimeError.
    void run();

private:
    bool start();
    bool prepareComposite();
    bool readSweep();
    void openOutput();
    void frame();
    void drawLine();
    void composite();
    void writeFrame();
    void afterYield() const;
    void close() noexcept;

    RunContext mCtx;
    RunOutput mOutput;
    RunPacer mPacer;
    design::HeldPictureWindow mMain;
    design::HeldPictureWindow mBackground; // the erase background, when compositing
    std::shared_ptr<render::RenderWindowModel> mRenderWindow;
    render::RotationObject mRotation;
    RunWriter mWriter;
    bool mComposite = false;
    bool mPaced = false;
    std::int32_t mTransparentColour = 0;
    std::int32_t mLineWidth = 0;
    std::int32_t mLineColour = 0;
    bool mUseInnerRadius = false;
    // Read once at the start, like the hand tables the line's tips come from.
    std::int16_t mCentreX = 0;
    std::int16_t mCentreY = 0;
    std::int16_t mTopLeftX = 0;
    std::int16_t mTopLeftY = 0;
    std::int16_t mPosition = 0;
    std::int32_t mFrame = 0;
    std::int32_t mFrameInSecond = 0;
    std::int32_t mRemaining = 0;
    bool mStop = false;
};

} // namespace dw::run
