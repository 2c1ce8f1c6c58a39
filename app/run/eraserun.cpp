#include "run/eraserun.h"

#include <limits>
#include <utility>

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "render/handcolour.h"
#include "render/handgeometry.h"
#include "render/handtables.h"
#include "render/renderwindowholder.h"
#include "render/surfacepainter.h"
#include "run/closingsteps.h"
#include "run/runstate.h"

namespace dw::run {

using design::MessageIcon;
using design::PictureSlot;

namespace {

constexpr std::int32_t kFramesPerSecond = 6; // one degree a frame: a turn in sixty seconds
constexpr std::uint32_t kFrameMs = 166;

} // namespace

EraseRun::EraseRun(const RunContext& context, RunOutput output)
    : mCtx(context), mOutput(std::move(output)),
      mPacer(context.host, context.design, [this] { afterYield(); }) {}

void EraseRun::run() {
    const ActiveRun active(mCtx.state);
    runWithClosingSteps(
        mCtx.state, [this] { return start(); },
        [this] {
            while (!mStop && mRemaining >= 1) {
                frame();
            }
        },
        [this] { close(); });
}

bool EraseRun::start() {
    if (mCtx.state.saving) {
        mCtx.host.showMessage("Save in progress", MessageIcon::Information);
        return false;
    }
    if (!mCtx.pictures.isBMPobject(PictureSlot::Main)) {
        return false;
    }
    mMain = design::HeldPictureWindow(mCtx.pictures, PictureSlot::Main);
    mComposite = mCtx.design.usebackground == 1;
    if (mComposite && !prepareComposite()) {
        return false;
    }
    mWriter = RunWriter::create(mOutput.frameSink);
    mLineWidth = design::int32Of(mCtx.design.sw);
    if (mLineWidth == 0) {
        mCtx.host.showMessage("Invalid width for seconds", MessageIcon::None);
        return false;
    }
    mLineColour = render::colourOfNumbers(mCtx.design.sred, mCtx.design.sgreen, mCtx.design.sblue);
    mUseInnerRadius = mCtx.design.useir != 0;
    mCtx.geometry.computeHandTables(mCtx.design);
    mCentreX = mCtx.design.centrex;
    mCentreY = mCtx.design.centrey;
    mTopLeftX = mCtx.design.eraseTopLeftX;
    mTopLeftY = mCtx.design.eraseTopLeftY;
    mMain.check();
    mCtx.pictures.quickReloadBackground();
    if (!readSweep()) {
        return false;
    }
    openOutput();
    return true;
}

// The erase background must be loaded; it is shown in the render window, where the frames will
// be composed, and the rotation object does the transparent copies.
bool EraseRun::prepareComposite() {
    if (!mCtx.pictures.isBMPobject(PictureSlot::EraseBackground)) {
        mCtx.host.showMessage("No background picture has been loaded", MessageIcon::Critical);
        return false;
    }
    mBackground = design::HeldPictureWindow(mCtx.pictures, PictureSlot::EraseBackground);
    mRotation = render::RotationObject::create();
    mCtx.renderWindow.get().showPicture(mBackground->Picture1b());
    mTransparentColour =
        render::colourOfTexts(mCtx.design.transr, mCtx.design.transg, mCtx.design.transb);
    return true;
}

bool EraseRun::readSweep() {
    const std::int16_t seconds = design::int16Of(mCtx.design.times);
    if (seconds < 0 || seconds > 59) {
        mCtx.host.showMessage("Invalid seconds", MessageIcon::None);
        return false;
    }
    mPosition = render::minutePosition(seconds);
    mRemaining = design::int32Of(mCtx.design.duration);
    if (mRemaining < 1) {
        mCtx.host.showMessage("Invalid duration", MessageIcon::None);
        return false;
    }
    mPaced = mCtx.design.synctest == 1;
    return true;
}

// From here the run is active. The AVI file takes the size of the picture that becomes the
// frames: the erase background when compositing, else the main picture.
void EraseRun::openOutput() {
    mCtx.state.framesStarted();
    if (mOutput.save) {
        if (mComposite) {
            mBackground.check();
            mCtx.renderWindow.get().Picture1().copyFrom(mBackground->Picture1b());
            mWriter.open(mOutput.fileName, mBackground->scaleWidth(), mBackground->scaleHeight(),
                         mOutput.framesPerSecond);
        } else {
            mMain.check();
            mWriter.open(mOutput.fileName, mMain->scaleWidth(), mMain->scaleHeight(),
                         mOutput.framesPerSecond);
        }
    }
    // The writer may have shown dialogs, during which commands can arrive.
    afterYield();
    if (mComposite) {
        mMain->hide();
    } else {
        mMain->show();
    }
    mRenderWindow = mCtx.renderWindow.shared();
    mRenderWindow->bSaving = true;
    if (mOutput.save) {
        mCtx.state.saving = true;
    }
}

void EraseRun::frame() {
    drawLine();
    const std::uint32_t drawn = mPacer.now();
    if (!mOutput.save) {
        mPacer.waitFrom(drawn, kFrameMs, mPaced);
    }
    if (mComposite) {
        composite();
    }
    if (mOutput.save) {
        writeFrame();
        mPacer.yieldOnce();
    }
    if (!mCtx.state.running) {
        mStop = true;
    }
    if (++mFrameInSecond == kFramesPerSecond) {
        --mRemaining;
        mFrameInSecond = 0;
    }
    if (mFrame == std::numeric_limits<std::int32_t>::max()) {
        throw design::RuntimeError(design::kOverflow);
    }
    ++mFrame;
    mPacer.showStatus(0, 0, mPosition, mFrame);
    if (--mPosition <= 0) {
        mPosition = 360;
    }
}

// One more line of the sweep; the lines of earlier frames stay.
void EraseRun::drawLine() {
    mMain.check();
    const render::HandTables& tables = mCtx.geometry.tables();
    const int row = render::tableRow(mPosition);
    const QPoint tip = tables.secondTip.at(row);
    const QPoint from = mUseInnerRadius ? tables.innerCircle.at(row) : QPoint(mCentreX, mCentreY);
    {
        render::SurfacePainter painter(mMain->Picture1());
        painter.setPenWidth(design::toInt16(mLineWidth));
        painter.drawLine(from, tip, mLineColour);
    }
    mMain->pictureChanged();
}

// The erase background afresh, with the whole main picture laid over it at the erase top-left
// and the transparent colour left out.
void EraseRun::composite() {
    afterYield();
    design::Picture& frame = mRenderWindow->Picture1();
    frame.copyFrom(mBackground->Picture1b());
    const design::Picture& face = mMain->Picture1();
    mRotation.transparentBlit(frame, mTopLeftX, mTopLeftY, face.width(), face.height(), face, 0, 0,
                              face.width(), face.height(), mTransparentColour);
    mRenderWindow->pictureChanged();
}

void EraseRun::writeFrame() {
    afterYield();
    if (mComposite) {
        mWriter.writeFrame(mRenderWindow->Picture1(), mBackground->scaleWidth(),
                           mBackground->scaleHeight());
    } else {
        mWriter.writeFrame(mMain->Picture1());
    }
}

void EraseRun::afterYield() const {
    mMain.check();
    if (mComposite) {
        mBackground.check();
    }
}

void EraseRun::close() noexcept {
    if (mRenderWindow) {
        mRenderWindow->bSaving = false;
    } else if (render::RenderWindowModel* window = mCtx.renderWindow.current()) {
        window->bSaving = false;
    }
    mCtx.state.saving = false;
    if (mOutput.save) {
        mWriter.close();
    }
    if (const auto main = mCtx.pictures.window(PictureSlot::Main)) {
        main->show();
    }
    mRotation.release();
    mWriter.release();
    mCtx.state.framesEnded();
}

} // namespace dw::run
