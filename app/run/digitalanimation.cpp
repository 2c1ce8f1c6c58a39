#include "run/digitalanimation.h"

#include <optional>

#include <QFont>

#include "design/host.h"
#include "design/mutedhost.h"
#include "design/numbertext.h"
#include "design/pictureslots.h"
#include "design/runtimeerror.h"
#include "run/designersession.h"
#include "run/digitalreadout.h"
#include "run/digitalsettings.h"
#include "run/runpacer.h"
#include "run/runstate.h"
#include "run/runwriter.h"

namespace dw::run {

namespace {

using design::PictureSlot;

class DigitalRun {
public:
    DigitalRun(DesignerSession& session, RunOutput& output, bool measureOnly, ReadoutSize& size,
               Refusals refusals)
        : mSession(session), mOutput(output), mMeasureOnly(measureOnly), mSize(size),
          mMuted(session.host()), mMessages(refusals == Refusals::Silent ? mMuted : session.host()),
          mPacer(session.host(), session.design(), [this] { mMain.check(); }) {}
    // The pacer's check calls back into this run, so the run stays where it was made.
    DigitalRun(const DigitalRun&) = delete;
    DigitalRun& operator=(const DigitalRun&) = delete;

    void run();

private:
    bool start();
    void frame();
    void waitForNextFrame();
    void advance();
    void closingSteps();
    void endRefused();
    void showMainPicture();

    bool exporting() const { return mOutput.save && !mMeasureOnly; }

    DesignerSession& mSession;
    RunOutput& mOutput;
    const bool mMeasureOnly;
    ReadoutSize& mSize;
    design::MutedHost mMuted;
    design::Host& mMessages; // where refusals are told
    // False for a measuring pass during another run: the main picture is that run's.
    bool mOwnsPicture = true;
    design::HeldPictureWindow mMain;
    DigitalSettings mSettings;
    QFont mFont;
    RunWriter mWriter;
    RunPacer mPacer;
    DigitalTime mTime;
    bool mSeparatorsOn = true;
    std::int32_t mFrameInSecond = 0;
    std::int32_t mFrameCount = 0;
    std::int32_t mRemaining = 0;
    bool mStop = false;
};

void DigitalRun::run() {
    mSize = {};
    RunState& state = mSession.runState();
    // A measuring pass is no run: it never touches the flags, so it must not hold idle off.
    std::optional<ActiveRun> active;
    if (!mMeasureOnly) {
        active.emplace(state);
    }
    if (state.saving) {
        mMessages.showMessage("Save in progress", design::MessageIcon::Information);
        endRefused();
        return;
    }
    if (!mSession.isBMPobject(PictureSlot::Main)) {
        endRefused();
        return;
    }
    mOwnsPicture = !mMeasureOnly || (!state.running && state.idle);
    try {
        if (!start()) {
            endRefused();
            return;
        }
        while (!mStop && mRemaining >= 1) {
            frame();
            if (mMeasureOnly) {
                break;
            }
            waitForNextFrame();
            advance();
        }
    } catch (const design::RuntimeError& error) {
        // The run ends quietly; whatever failed has told the user already where it could.
        if (!mMeasureOnly) {
            state.runError = error.description();
        }
    } catch (...) {
        closingSteps();
        throw;
    }
    closingSteps();
}

// The start of a run up to its first frame; false when a check refused it.
bool DigitalRun::start() {
    mMain = design::HeldPictureWindow(mSession.pictures(), PictureSlot::Main);
    if (mOwnsPicture) {
        mSession.quickReloadBackground();
    }
    std::optional<DigitalSettings> settings =
        readDigitalSettings(mSession.design(), mMessages, mMeasureOnly);
    if (!settings) {
        return false;
    }
    mSettings = *settings;
    mOutput.framesPerSecond = mSettings.framesPerSecond;
    mTime = mSettings.start;
    mSeparatorsOn = mSettings.separatorsOn;
    mRemaining = mSettings.durationSeconds;
    if (!mMeasureOnly) {
        mSession.runState().framesStarted();
        mWriter = RunWriter::create(mOutput.frameSink);
    }
    if (exporting()) {
        mWriter.open(mOutput.fileName, mMain->scaleWidth(), mMain->scaleHeight(),
                     mOutput.framesPerSecond);
    }
    if (mOwnsPicture) {
        showMainPicture();
    }
    if (exporting()) {
        mSession.runState().saving = true;
    }
    mFont =
        readoutFont(mSettings.fontFamily, mSettings.fontPoints, mSettings.bold, mSettings.italic);
    return true;
}

// Draws the current time on a clean face, or only measures it at 0, 0.
void DigitalRun::frame() {
    if (mOwnsPicture) {
        mSession.quickReloadBackground();
    }
    const DigitalNumbers numbers = digitalNumbers(
        mTime, mSettings.hourMode, mSettings.style.secondsOnly, mSettings.zeroExtend);
    const std::vector<ReadoutItem> items = readoutItems(
        mSettings.style, readoutTexts(mSession.design()), numbers, mTime.isAM, mSeparatorsOn);
    const std::int16_t left = mMeasureOnly ? 0 : mSettings.left;
    const std::int16_t top = mMeasureOnly ? 0 : mSettings.top;
    const ReadoutLayout layout =
        drawDigitalTime(mMain->Picture1(), mFont, left, top, items, mMeasureOnly);
    mSize = {layout.width, layout.height};
    if (mMeasureOnly) {
        return;
    }
    mMain->pictureChanged();
}

// A screen run shows each frame for its interval (paced) or lets queued commands in once; an
// export neither waits nor yields, so nothing can change under it.
void DigitalRun::waitForNextFrame() {
    if (exporting()) {
        mWriter.writeFrame(mMain->Picture1());
    } else {
        // After every yield the pacer checks that the slot still holds the main picture taken.
        mPacer.waitFrom(mPacer.now(), static_cast<std::uint32_t>(mSettings.frameIntervalMs),
                        mSettings.paced);
    }
    if (!mSession.runState().running) {
        mStop = true;
    }
}

// Counts the frame, moves the clock once every frames-per-second frames and flips flashing
// separators every flashEvery frames.
void DigitalRun::advance() {
    if (++mFrameInSecond == mSettings.framesPerSecond) {
        --mRemaining;
        mFrameInSecond = 0;
        stepDigitalTime(mTime, mSettings.hourMode, mSettings.direction);
    }
    mFrameCount = design::toInt32(mFrameCount + 1.0);
    if (mSettings.style.flash && mFrameCount % mSettings.flashEvery == 0) {
        mSeparatorsOn = !mSeparatorsOn;
    }
    mSession.host().setStatusText(kFrameCountPanel, design::strOf(mFrameCount));
}

void DigitalRun::closingSteps() {
    if (mMeasureOnly) {
        if (mOwnsPicture) {
            showMainPicture();
        }
        return;
    }
    mSession.runState().saving = false;
    if (mOutput.save) {
        mWriter.close();
    }
    mWriter.release();
    showMainPicture();
    mSession.runState().framesEnded();
}

// A refused run started nothing, but a frame sink still hears that no frames will come.
void DigitalRun::endRefused() {
    if (exporting() && mOutput.frameSink) {
        mOutput.frameSink->close();
    }
}

// Shows the main picture's window, whichever the slot holds now.
void DigitalRun::showMainPicture() {
    if (const auto main = mSession.pictures().window(PictureSlot::Main)) {
        main->show();
    }
}

} // namespace

void runDigitalAnimation(DesignerSession& session, RunOutput& output, bool measureOnly,
                         ReadoutSize& size, Refusals refusals) {
    DigitalRun(session, output, measureOnly, size, refusals).run();
}

} // namespace dw::run
