#pragma once
// The Host of the command line: messages become "dialwright: TEXT" lines on standard error,
// file dialogs are answered from the arguments, status texts can be echoed on standard output
// and drive the progress bar, and the tick count is the platform's.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "design/host.h"
#include "dw/platform/messagebox.h"
#include "progressbar.h"

namespace dw::cli {

class CliHost : public design::Host {
public:
    // Writes messages and the progress bar to `err`, status texts to `out`.
    CliHost(std::FILE* out, std::FILE* err);

    // What the next file dialogs answer; an empty answer is a cancel.
    void setOpenAnswer(std::string path) { mOpenAnswer = std::move(path); }
    void setSaveAnswer(std::string path) { mSaveAnswer = std::move(path); }
    // A run starts: the progress bar expects `expectedFrames` (0 when unknown) and, with
    // `echoStatus` (--status), every status text is printed on `out` until the run ends.
    void beginRun(std::int64_t expectedFrames, bool echoStatus);
    // What the run since beginRun showed: its messages, and the last frame number its status
    // texts gave (-1 when none). Ends the echo and the progress bar.
    struct RunReport {
        std::size_t messages = 0;
        std::int64_t lastFrame = -1;
    };
    RunReport endRun();
    // Called from a yield or a status text after the user pressed Ctrl-C (a stop request for
    // the run).
    void setOnInterrupt(std::function<void()> onInterrupt) {
        mOnInterrupt = std::move(onInterrupt);
    }

    // The message-box hook that routes the components' messages here; install it for the life
    // of the host. (A designer session routes them through showMessage while it lives.)
    platform::MessageBoxHook messageBoxHook();

    // Every message shown so far, from the core and from components, in order.
    const std::vector<std::string>& messages() const { return mMessages; }

    // Prints a message of the command line itself, in the same form as the others.
    void report(const std::string& text);

    ProgressBar& progress() { return mProgress; }
    // True once a Ctrl-C reached a run as a stop request.
    bool interrupted() const { return mInterrupted; }

    void showMessage(const std::string& text, design::MessageIcon icon) override;
    std::string openFileDialog(const std::string& filter,
                               const std::string& initialDirectory) override;
    std::string saveFileDialog(const std::string& filter,
                               const std::string& initialDirectory) override;
    std::optional<design::FontChoice> fontDialog() override { return std::nullopt; }
    void yield() override;
    std::uint32_t tickCount() override;
    void setStatusText(const std::string& panelKey, const std::string& text) override;
    void windowChanged(const std::string&, design::WindowEvent) override {}

private:
    void print(const std::string& text);
    void noticeInterrupt();

    std::FILE* mOut;
    std::FILE* mErr;
    ProgressBar mProgress;
    std::string mOpenAnswer;
    std::string mSaveAnswer;
    bool mStatusEcho = false;
    std::size_t mMessagesAtRunStart = 0;
    std::int64_t mLastFrame = -1;
    std::function<void()> mOnInterrupt;
    std::vector<std::string> mMessages;
    bool mInterrupted = false;
    bool mOutIsTerminal = false;
};

// Ctrl-C asks a running command to stop at its next yield or frame count; a second Ctrl-C ends
// the program.
void installInterruptHandler();
bool takeInterruptRequest();

// The frame number at the end of a frame-count status text (" 1, 2, 3 :  17" gives 17), or -1.
std::int64_t trailingFrameNumber(const std::string& text);

} // namespace dw::cli
