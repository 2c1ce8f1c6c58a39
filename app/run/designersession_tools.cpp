// The picture-window tools of the designer session: the tool colour, the positioners' check
// boxes, the erase-mode presets and the mouse over a picture window.
#include "design/advancedsettings.h"
#include "design/erasepresets.h"
#include "design/host.h"
#include "run/designersession.h"

namespace dw::run {

void DesignerSession::updateCircToolColour() {
    mRgbCircTool = render::toolColourOf(mDesign);
}

void DesignerSession::chkCirc_Click() {
    updateCircToolColour();
}

void DesignerSession::chkRect_Click() {
    updateCircToolColour();
    if (mDesign.chkDigital == 1) {
        // Measured now, so that testwid and testhei are ready; a refusal is shown this once.
        RunOutput probe;
        digitalAnimation(probe, true);
    }
}

void DesignerSession::chkErase_Click() {
    // The box itself changes, but an export in progress keeps the design it started with.
    if (mRunState.saving) {
        return;
    }
    design::applyErasePresets(mDesign);
}

render::ToolCommands DesignerSession::toolCommands() {
    return {
        [this] {
            RunOutput probe; // no export, no file, 1 frame per second
            runDigitalAnimation(*this, probe, true, mReadoutSize, Refusals::Silent);
            return QSize(testwid(), testhei());
        },
        [this] { guarded([this] { cmdSet_Click(); }); },
        [this] { guarded([this] { design::setPos(mDesign); }); },
    };
}

void DesignerSession::pictureMouseDown(design::PictureSlot slot, render::MouseButton button,
                                       double x, double y) {
    // Held for the whole event: a message box shown on the way lets other commands run.
    const design::HeldPictureWindow window(mPictures, slot);
    if (!window || mRunState.running) {
        return;
    }
    const render::ToolCommands commands = toolCommands();
    guarded([&] {
        render::PictureTools(mDesign, mPictures, commands, mRgbCircTool)
            .mouseDown(window, button, x, y);
    });
}

void DesignerSession::pictureMouseMove(design::PictureSlot slot, bool buttonHeld, double x,
                                       double y) {
    const design::HeldPictureWindow window(mPictures, slot);
    if (!window) {
        return;
    }
    mHost.setStatusText(render::kPositionPanel, render::pointerPositionText(x, y));
    if (mRunState.running) {
        return;
    }
    const render::ToolCommands commands = toolCommands();
    render::PictureTools(mDesign, mPictures, commands, mRgbCircTool)
        .mouseMove(window, buttonHeld, x, y);
}

void DesignerSession::pictureMouseUp(design::PictureSlot slot, double x) {
    const design::HeldPictureWindow window(mPictures, slot);
    if (!window || mRunState.running) {
        return;
    }
    const render::ToolCommands commands = toolCommands();
    guarded([&] {
        render::PictureTools(mDesign, mPictures, commands, mRgbCircTool).mouseUp(window, x);
    });
}

std::string DesignerSession::pointerColourText(design::PictureSlot slot, double x, double y) const {
    const auto window = mPictures.window(slot);
    if (!window) {
        return {};
    }
    return render::colourReadoutText(render::colourAt(*window, x, y));
}

} // namespace dw::run
