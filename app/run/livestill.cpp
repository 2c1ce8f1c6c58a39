#include "run/livestill.h"

#include <optional>

#include "design/host.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "render/bitmaphands.h"
#include "render/handgeometry.h"
#include "render/linehands.h"
#include "render/normalrunsettings.h"
#include "render/rotationobject.h"
#include "render/surfacepainter.h"
#include "run/designersession.h"
#include "run/digitalreadout.h"
#include "run/digitalsettings.h"

namespace dw::run {

namespace {

using design::PictureSlot;

// The readers a run start uses report refusals through a host; a still keeps them to itself.
// Window events still reach the real host, so that views repaint.
class QuietHost : public design::Host {
public:
    explicit QuietHost(design::Host& real) : mReal(real) {}

    void showMessage(const std::string&, design::MessageIcon) override {}
    std::string openFileDialog(const std::string&, const std::string&) override { return {}; }
    std::string saveFileDialog(const std::string&, const std::string&) override { return {}; }
    std::optional<design::FontChoice> fontDialog() override { return std::nullopt; }
    void yield() override {}
    std::uint32_t tickCount() override { return mReal.tickCount(); }
    void setStatusText(const std::string&, const std::string&) override {}
    void windowChanged(const std::string& window, design::WindowEvent event) override {
        mReal.windowChanged(window, event);
    }

private:
    design::Host& mReal;
};

bool runActive(const RunState& state) {
    return state.running || !state.idle || state.activeRuns > 0;
}

// The start time as the normal-mode run reads and checks it; nullopt where the run refuses.
std::optional<render::HandIndices> startIndices(DesignerSession& session,
                                                const render::MovementOptions& options) {
    const design::ClockDesign& d = session.design();
    const std::int32_t hours = design::int32Of(d.timeh);
    const std::int32_t minutes = design::int32Of(d.timem);
    const std::int16_t seconds = design::int16Of(d.times);
    if (hours < 1 || hours > 12 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59) {
        return std::nullopt;
    }
    return session.geometry().startIndices(hours, minutes, seconds, options);
}

bool bitmapsLoaded(const DesignerSession& session) {
    for (PictureSlot slot :
         {PictureSlot::Hour, PictureSlot::Minute, PictureSlot::Second, PictureSlot::Top}) {
        if (!session.isBMPobject(slot)) {
            return false;
        }
    }
    return true;
}

// The run's first frame: one step past the start time, on a clean face.
std::optional<design::Picture> normalStill(DesignerSession& session, QuietHost& quiet) {
    const design::ClockDesign& d = session.design();
    std::optional<render::NormalRunSettings> settings = render::readNormalRunSettings(d, quiet);
    if (!settings || settings->lines.hour.width == 0 || settings->lines.minute.width == 0 ||
        settings->lines.second.width == 0) {
        return std::nullopt;
    }
    if (settings->bitmapHands && !bitmapsLoaded(session)) {
        return std::nullopt;
    }
    const auto options = render::MovementOptions::fromToolbar(session.toolbar());
    session.geometry().computeHandTables(d);
    std::optional<render::HandIndices> indices = startIndices(session, options);
    if (!indices) {
        return std::nullopt;
    }
    session.geometry().advanceTime(*indices, options, 0);

    design::Picture frame;
    if (settings->bitmapHands) {
        const auto& hour = render::occupiedWindow(session.pictures(), PictureSlot::Hour);
        session.bitmapHands().loadWorkPictures(session.pictures());
        render::RotationObject rotation = render::RotationObject::create();
        rotation.initializeRotation(hour.Picture1());
        session.bitmapHands().resetCachedAngles();
        session.bitmapHands().drawBitmapHands(
            rotation, session.pictures(), frame, settings->bitmapX, settings->bitmapY,
            settings->bitmapTransparentColour, indices->second, indices->minute, indices->hour);
        return frame;
    }
    frame.copyFrom(session.Picture2());
    render::SurfacePainter painter(frame);
    render::drawLineHands(painter, session.geometry().tables(), d, settings->lines, *indices);
    return frame;
}

// The digital run's first frame: the start time at the confirmed position on a clean face.
std::optional<design::Picture> digitalStill(DesignerSession& session, QuietHost& quiet) {
    const design::ClockDesign& d = session.design();
    // Read as the measuring pass does, so the frame rate (no part of a still) is not checked.
    const std::optional<DigitalSettings> settings = readDigitalSettings(d, quiet, true);
    if (!settings) {
        return std::nullopt;
    }
    const DigitalNumbers numbers = digitalNumbers(
        settings->start, settings->hourMode, settings->style.secondsOnly, settings->zeroExtend);
    const std::vector<ReadoutItem> items = readoutItems(
        settings->style, readoutTexts(d), numbers, settings->start.isAM, settings->separatorsOn);
    const QFont font =
        readoutFont(settings->fontFamily, settings->fontPoints, settings->bold, settings->italic);
    design::Picture frame;
    frame.copyFrom(session.Picture2());
    drawDigitalTime(frame, font, settings->left, settings->top, items, false);
    return frame;
}

std::optional<design::Picture> composeStill(DesignerSession& session) {
    QuietHost quiet(session.host());
    if (session.design().chkDigital == 1) {
        return digitalStill(session, quiet);
    }
    if (session.design().erase == 1) {
        return std::nullopt;
    }
    return normalStill(session, quiet);
}

} // namespace

bool drawLiveStill(DesignerSession& session) {
    if (runActive(session.runState()) || !session.isBMPobject(PictureSlot::Main) ||
        session.Picture2().isEmpty()) {
        return false;
    }
    std::optional<design::Picture> frame;
    try {
        frame = composeStill(session);
    } catch (const design::RuntimeError&) {
        return false;
    }
    if (!frame || frame->isEmpty()) {
        return false;
    }
    render::RenderWindowModel& window = session.renderWindow();
    if (!window.isVisible()) {
        window.showPicture(*frame);
        return true;
    }
    window.Picture1().copyFrom(*frame);
    window.pictureChanged();
    return true;
}

} // namespace dw::run
