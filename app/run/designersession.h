#pragma once
// The designer session: the state and public operations of the design window, without widgets.
// The shell's design window displays and edits it; the command-line front end drives it. It
// owns the design record, the toolbar flags, the hand geometry, the picture slots and the run
// state, and wires the modules that implement each operation.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "design/clockdesign.h"
#include "design/designfileflow.h"
#include "design/designlog.h"
#include "design/filestat.h"
#include "design/pictureslots.h"
#include "design/preferences.h"
#include "design/runtimeerror.h"
#include "design/toolbarbuttons.h"
#include "dw/platform/fileprofilestore.h"
#include "dw/platform/messagebox.h"
#include "render/bitmaphands.h"
#include "render/framecomposer.h"
#include "render/handgeometry.h"
#include "render/picturetools.h"
#include "render/renderwindowholder.h"
#include "run/digitalanimation.h"
#include "run/runcontext.h"
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

    // ---- Render window, bitmap hands and previews (designersession_render.cpp) ----
    // The render window, made on first use and again after an unload.
    render::RenderWindowModel& renderWindow() { return mRenderWindow.get(); }
    render::RenderWindowHolder& renderWindowHolder() { return mRenderWindow; }
    // The close button of the render window, and its unload by a design load or the exit:
    // refused with "Cannot exit at this time" while a run shows frames there (bSaving). True
    // when no render window remains.
    bool unloadRenderWindow() { return mRenderWindow.unload(); }
    // Shows a copy of the picture in the render window and brings the window to the front.
    void showInRenderWindow(const design::Picture& picture);
    // The work pictures and cached angles of bitmap hands.
    render::BitmapHands& bitmapHands() { return mBitmapHands; }
    // The work pictures take the hand slots' stored pictures; RuntimeError for an empty slot.
    void loadWorkPictures();
    // The design window's two preview buttons; refused with "Save in progress" (information)
    // while an export is saving. Failures are shown as messages.
    void cmdPreview();
    void cmdPreviewBMP();
    // What a normal-mode run composes its frames from and on (see render::FrameComposer).
    render::FrameContext frameContext();

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

    // ---- Picture window tools (designersession_tools.cpp) ----
    // Recomputes rgbCircTool from ctr, ctg and ctb (each held to 0..255); the design window calls
    // it whenever one of the three changes. RuntimeError("Overflow") when a box does not fit 16
    // bits; the colour is then unchanged.
    void updateCircToolColour();
    // The colour the two positioners draw in, 0x00BBGGRR; white until the boxes say otherwise.
    std::int32_t rgbCircTool() const { return mRgbCircTool; }
    // The clicks of chkCirc, chkRect and chkErase, once the box's new value is in the design.
    // chkCirc and chkRect recompute the tool colour (throwing as updateCircToolColour); chkRect
    // in digital mode also measures the read-out into testwid and testhei. chkErase writes the
    // erase-mode or the normal presets, and nothing while an export saves. The last never fails.
    void chkCirc_Click();
    void chkRect_Click();
    void chkErase_Click();
    // The mouse over the Picture1 of a slot's window, in picture pixels (real numbers, anywhere,
    // on the picture or off it). A move always shows the position in "STA_POS"; while a run goes
    // nothing else happens. Events for an empty slot are ignored, and a window that a command
    // replaced starts with its own idle tools. Never throw: a run-time error (a position past 16
    // bits) is shown as its description.
    void pictureMouseDown(design::PictureSlot slot, render::MouseButton button, double x, double y);
    void pictureMouseMove(design::PictureSlot slot, bool buttonHeld, double x, double y);
    void pictureMouseUp(design::PictureSlot slot, double x);
    // The colour under the pointer for a status read-out, "0xBBGGRR (r, g, b)"; empty off the
    // picture and for an empty slot. Never fails.
    std::string pointerColourText(design::PictureSlot slot, double x, double y) const;

    // ---- Design file, log and preferences (designersession_file.cpp) ----
    // Ask for a design file and load or save it; Cancelled changes nothing, Failed was shown to
    // the user (a load keeps what it read, a save leaves the file as it was).
    design::FileFlowResult load_ini();
    design::FileFlowResult save_ini();
    // The same without the dialog, for a front end that already has the full file name.
    design::FileFlowResult loadIniFile(const std::string& fileName);
    design::FileFlowResult saveIniFile(const std::string& fileName);
    // The upgrade log of an older file and the picture-location check, as a load runs them;
    // the check is false (with its warning logged) for a picture not usable from iniDirectory.
    void upgradeIni(double fromVersion, double toVersion);
    bool checkPictureInIniDir(const std::string& name);
    // The picture dialog under the design-directory rule: a bare name, or empty after a message.
    std::string relativePictureName() { return mPictures.relativePictureName(); }

    // The log of design loading; the shell follows it through log().setOnChange. Never fail.
    void addlogline(const std::string& str) { mLog.addlogline(str); }
    void clearlogline() { mLog.clearlogline(); }
    design::DesignLog& log() { return mLog; }
    // True when the file opens for reading; never reports an error.
    bool stat(const std::string& name) const { return design::stat(name); }

    // The folder the load dialog opens in; a successful load sets it to iniDirectory.
    const std::string& lastDir() const { return mLastDir; }
    void setLastDir(std::string directory) { mLastDir = std::move(directory); }
    // Read and write lastDir in the per-user preferences (program start and exit); with nothing
    // stored it becomes the current directory. savePreferences is false when it cannot write.
    void loadPreferences();
    bool savePreferences();
    // The About message.
    void about();

    // Where design files and the preferences are kept: files on disk and the user's
    // configuration folder unless a test or front end says otherwise. Stores must outlive the
    // session.
    void useProfileStore(platform::ProfileStore& store) { mProfileStore = &store; }
    void usePreferences(platform::ProfileStore& store, std::string file);
    // Called by a load to let the render window go; set by the module that owns that window.
    void setRenderWindowUnloader(std::function<void()> unload) {
        mUnloadRenderWindow = std::move(unload);
    }

    // Runs a user command, showing the description of a run-time error it raises with the
    // information icon instead of letting it escape into the event loop. False on an error.
    template <typename Command> bool guarded(Command&& command);

    // ---- Runs (designersession_run.cpp) ----
    // Test: the chosen run loop at the copy frame rate, frames shown only. Refused with "Invalid
    // copy frames per second!" below 1; a rate past 32 bits shows "Overflow". Returns when the
    // run has ended; a test arriving during a run runs inside it, and the outer run stops after.
    void test();
    // Save AVI: refused without a main picture or while running, then asks for a file (a
    // cancelled dialog ends it quietly), checks the copy frame rate and exports the chosen loop.
    void save_avi();
    // The export of save_avi to a file named by the caller, or, given a sink, to the sink
    // instead of the AVI writer (the file name is then unused). The same refusals, no dialog.
    void saveAviAs(const std::string& fileName, std::shared_ptr<FrameSink> sink = nullptr);
    // The refusals of Save AVI, before its dialog: no main picture, or a run going. False after
    // the message; other exports of the design refuse the same way.
    bool exportAllowed();
    // Runs the loop the design chooses (digital, erase or normal mode) with the output as given,
    // without the commands' own checks; the loop makes its start checks. Never throws
    // RuntimeError.
    void runChosenLoop(const RunOutput& output);
    // Asks a running loop to stop; it ends after the frame or step it is working on.
    void stopTest() { mRunState.running = false; }
    // The design window's close request: false, after a message, while a run is going or
    // stopping; true when the window may close.
    bool requestClose();
    // The start-up check that both components can be created. False after the critical message
    // (the platform's description, CR LF, which library is not registered); the program ends.
    bool registrationCheck();

private:
    RunContext runContext();
    bool readCopyFramesPerSecond(std::int32_t& framesPerSecond);
    void exportTo(const std::string& fileName, std::shared_ptr<FrameSink> sink);
    platform::MessageBoxHook routeMessageBoxes();
    design::DesignFileFlow fileFlow();
    design::Preferences preferences();
    void reportRuntimeError(const std::string& description);
    render::ToolCommands toolCommands();

    design::Host& mHost;
    design::ClockDesign mDesign;
    design::ToolbarButtons mToolbar;
    render::HandGeometry mGeometry;
    std::string mIniDirectory;
    design::PictureSlots mPictures;
    render::RenderWindowHolder mRenderWindow;
    render::BitmapHands mBitmapHands;
    RunState mRunState;
    ReadoutSize mReadoutSize;
    std::int32_t mRgbCircTool = 0xFFFFFF; // ctr, ctg, ctb start at 255
    design::DesignLog mLog;
    std::string mLastDir;
    platform::FileProfileStore mFileStore;
    platform::ProfileStore* mProfileStore = &mFileStore;
    platform::ProfileStore* mPreferencesStore = &mFileStore;
    std::optional<std::string> mPreferencesFile; // unset: the user's configuration folder
    std::function<void()> mUnloadRenderWindow;
    // The components show their messages (the AVI writer's "Fatal Error" boxes) through the
    // process's message-box hook; while the session lives they reach its host. Declared last so
    // the hook is installed once everything it reaches exists and removed first.
    platform::ScopedMessageBoxHook mMessageBoxHook{routeMessageBoxes()};
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
