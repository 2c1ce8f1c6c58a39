#pragma once
// The designer session: the state and public operations of the design window, without widgets.
// The shell's design window displays and edits it; the command-line front end drives it. It
// owns the design record, the toolbar flags, the hand geometry, the picture slots and the run
// state, and wires the modules that implement each operation.
#include <cstdint>
#include <string>
#include <utility>

#include "design/clockdesign.h"
#include "design/pictureslots.h"
#include "design/runtimeerror.h"
#include "design/toolbarbuttons.h"
#include "render/handgeometry.h"
#include "run/digitalanimation.h"
#include "run/runoutput.h"
#include "run/runstate.h"

namespace dw::design {
class Host;
}

namespace dw::run {

class DesignerSession {
public:
    // Opens the session as the design window opens: the design reset, the centre read-out and
    // hand tables computed, every picture slot empty, the run state idle.
    explicit DesignerSession(design::Host& host);
    ~DesignerSession();

    DesignerSession(const DesignerSession&) = delete;
    DesignerSession& operator=(const DesignerSession&) = delete;

    design::Host& host() { return mHost; }
    design::ClockDesign& design() { return mDesign; }
    const design::ClockDesign& design() const { return mDesign; }
    design::ToolbarButtons& toolbar() { return mToolbar; }
    render::HandGeometry& geometry() { return mGeometry; }
    design::PictureSlots& pictures() { return mPictures; }
    const design::PictureSlots& pictures() const { return mPictures; }
    RunState& runState() { return mRunState; }
    const RunState& runState() const { return mRunState; }

    // The directory of the INI file last loaded or saved, with its final "/"; empty before the
    // first. Pictures chosen through the dialog must lie there; stored names are looked up there.
    const std::string& iniDirectory() const { return mIniDirectory; }
    void setIniDirectory(std::string directory) { mIniDirectory = std::move(directory); }

    // ---- Picture slots (designersession_pictures.cpp) ----
    // Menu operations of the seven slots. Loads do nothing while their slot is occupied; unloads
    // clear the slot's file name even when it is empty. Failures are shown as messages.
    void load_background();
    void view_background();
    void unload_background();
    void loadEraseBK();
    void viewEraseBK();
    void unloadEraseBK();
    void LD_HBMP();
    void V_HBMP();
    void U_HBMP();
    void LD_MBMP();
    void V_MBMP();
    void U_MBMP();
    void LD_SBMP();
    void V_SBMP();
    void U_SBMP();
    void LD_TBMP();
    void V_TBMP();
    void U_TBMP();
    void LD_TESTBMP();
    void V_TESTBMP();
    void U_TESTBMP();

    bool isBMPobject(design::PictureSlot slot) const { return mPictures.isBMPobject(slot); }
    std::string loadPictureSlot(design::PictureSlot slot, const std::string& caption,
                                bool useGivenName, const std::string& givenName);
    void showMainPicture();
    bool quickReloadBackground();
    bool eraseBackgroundFits();
    void unloadAllPictures();
    bool checkBitmapsLoaded();

    // The design window's copy of the main picture.
    design::Picture& Picture2() { return mPictures.Picture2(); }

    // ---- Positions (designersession_positions.cpp) ----
    // These throw RuntimeError where a value does not fit 16 bits; a caller from the user
    // interface shows its description (see guarded).
    void confirmCentre(std::int16_t x, std::int16_t y);
    void refreshCentre();
    void cmdSet_Click();
    void cmdAutoCenter_Click();
    void cmdBMPautocentre_Click();
    void cmdAutoCenterBox_Click();
    void plotCentre();

    // ---- Digital read-out (designersession_digital.cpp) ----
    // The digital-mode run for the output's save flag, file name and frame rate (which it
    // overwrites with the design's); `bpreview` only measures the read-out into testwid and
    // testhei. Refusals are messages; run-time errors end the run quietly (runDigitalAnimation).
    void digitalAnimation(RunOutput& output, bool bpreview);
    // The read-out size the last digital pass laid out (from x = 0 when measuring); 0 when the
    // last pass was refused.
    std::int16_t testwid() const { return mReadoutSize.width; }
    std::int16_t testhei() const { return mReadoutSize.height; }
    // "Auto Centre": puts the read-out at 0, 0, measures it and centres it on the main picture.
    // False without a main picture or when nothing was measured. Throws RuntimeError("Overflow")
    // when a position does not fit 16 bits (cmdAutoCentre_Click shows it).
    bool getTopLeft();
    void cmdAutoCentre_Click();

    // Runs a user command, showing the description of a run-time error it raises with the
    // information icon instead of letting it escape into the event loop. False on an error.
    template <typename Command> bool guarded(Command&& command);

private:
    void reportRuntimeError(const std::string& description);

    design::Host& mHost;
    design::ClockDesign mDesign;
    design::ToolbarButtons mToolbar;
    render::HandGeometry mGeometry;
    std::string mIniDirectory;
    design::PictureSlots mPictures;
    RunState mRunState;
    ReadoutSize mReadoutSize;
    // Later parts of the session (the log, lastDir, the render window, the run commands) are
    // added here as members of their own modules.
};

template <typename Command> bool DesignerSession::guarded(Command&& command) {
    try {
        command();
        return true;
    } catch (const design::RuntimeError& error) {
        reportRuntimeError(error.description());
        return false;
    }
}

} // namespace dw::run
