#include "clihost.h"

#include <atomic>
#include <csignal>
#include <unistd.h>

#include "dw/platform/tickcount.h"
#include "messagelines.h"

namespace dw::cli {

namespace {

std::atomic<bool> gInterrupted{false};

extern "C" void onInterrupt(int) {
    gInterrupted = true;
    // The second Ctrl-C is not caught: it ends the program at once.
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

void installInterruptHandler() {
    std::signal(SIGINT, onInterrupt);
}

bool takeInterruptRequest() {
    return gInterrupted.exchange(false);
}

std::int64_t trailingFrameNumber(const std::string& text) {
    std::size_t begin = text.size();
    while (begin > 0 && text[begin - 1] >= '0' && text[begin - 1] <= '9') {
        --begin;
    }
    if (begin == text.size() || text.size() - begin > 18) {
        return -1;
    }
    std::int64_t value = 0;
    for (std::size_t i = begin; i < text.size(); ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

CliHost::CliHost(std::FILE* out, std::FILE* err)
    : mOut(out), mErr(err), mProgress(err),
      mOutIsTerminal(out != nullptr && ::isatty(::fileno(out)) == 1) {}

platform::MessageBoxHook CliHost::messageBoxHook() {
    return [this](const std::string& text, const std::string&, std::uint32_t flags) {
        print(text);
        // A question has no one to answer it here; the safe answer is the negative one.
        const std::uint32_t buttons = flags & 0xF;
        if (buttons == platform::MB_YESNO) {
            return platform::IDNO;
        }
        return buttons == platform::MB_OKCANCEL ? platform::IDCANCEL : platform::IDOK;
    };
}

void CliHost::beginRun(std::int64_t expectedFrames, bool echoStatus) {
    mStatusEcho = echoStatus;
    mMessagesAtRunStart = mMessages.size();
    mLastFrame = -1;
    mProgress.start(expectedFrames, tickCount());
}

CliHost::RunReport CliHost::endRun() {
    mProgress.finish();
    mStatusEcho = false;
    std::fflush(mOut);
    return {mMessages.size() - mMessagesAtRunStart, mLastFrame};
}

void CliHost::report(const std::string& text) {
    print(text);
}

void CliHost::print(const std::string& text) {
    mMessages.push_back(text);
    mProgress.clear();
    std::fputs(messageLines(text).c_str(), mErr);
    std::fflush(mErr);
}

void CliHost::showMessage(const std::string& text, design::MessageIcon) {
    print(text);
}

std::string CliHost::openFileDialog(const std::string&, const std::string&) {
    return mOpenAnswer;
}

std::string CliHost::saveFileDialog(const std::string&, const std::string&) {
    return mSaveAnswer;
}

void CliHost::yield() {
    noticeInterrupt();
}

void CliHost::noticeInterrupt() {
    if (takeInterruptRequest() && mOnInterrupt) {
        mInterrupted = true;
        mOnInterrupt();
    }
}

std::uint32_t CliHost::tickCount() {
    return platform::tickCount();
}

// A digital export never yields, but it shows its frame count after every frame and checks for
// a stop request after the next one.
void CliHost::setStatusText(const std::string&, const std::string& text) {
    noticeInterrupt();
    if (mStatusEcho) {
        // On a shared terminal the line would land after the bar; the next update redraws it.
        if (mOutIsTerminal) {
            mProgress.clear();
        }
        std::fputs(text.c_str(), mOut);
        std::fputc('\n', mOut);
    }
    if (const std::int64_t frame = trailingFrameNumber(text); frame >= 0) {
        mLastFrame = frame;
        mProgress.update(frame, tickCount());
    }
}

} // namespace dw::cli
