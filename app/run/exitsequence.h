#pragma once
// The program's close sequence, without widgets: the main window's close asks the design window,
// which refuses during a run, hides when only it was closed, and otherwise lets the advanced
// settings window, the render window and every picture go before the preferences are saved.
namespace dw::run {

class DesignerSession;

// What the design window's close request came to.
enum class DesignWindowClose {
    Refused, // a run is going or stopping; the message was shown
    Hidden,  // only the design window was closed: it hides and View -> Controls shows it again
    Unloaded // the program is closing: its windows and pictures are gone
};

class ExitSequence {
public:
    // `session` must outlive the sequence.
    explicit ExitSequence(DesignerSession& session) : mSession(session) {}

    // True only between the main window's close request and the end or cancellation of the exit.
    bool bUnloadAll() const { return mUnloadAll; }
    // The advanced settings window may close (not merely hide) once this is true.
    bool bUnload() const { return mUnload; }

    // The design window's close box, or its part of the exit. A refusal also cancels the exit
    // (bUnloadAll back to false). Never throws.
    DesignWindowClose closeDesignWindow();

    // The main window's close: true when the program may end, the preferences written; false
    // when the design window refused, with bUnloadAll false again. A failure to write the
    // preferences does not hold the exit up.
    bool exitProgram();

private:
    DesignerSession& mSession;
    bool mUnloadAll = false;
    bool mUnload = false;
};

} // namespace dw::run
