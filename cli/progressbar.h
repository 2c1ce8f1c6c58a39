#pragma once
// A one-line progress bar on a terminal: frames done of the expected total and the time left,
// redrawn in place at most a few times a second. Off the terminal it prints nothing.
#include <cstdint>
#include <cstdio>
#include <string>

namespace dw::cli {

class ProgressBar {
public:
    // Draws on `stream` only when it is a terminal. Never fails.
    explicit ProgressBar(std::FILE* stream);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    bool enabled() const { return mEnabled; }

    // A run starts: `totalFrames` expected (0 or less when unknown), `nowMs` a tick count.
    void start(std::int64_t totalFrames, std::uint32_t nowMs);
    // The run reached frame `frame`; redraws when the last drawing is old enough.
    void update(std::int64_t frame, std::uint32_t nowMs);
    // Clears the bar so another line can be written; the next update draws it again.
    void clear();
    // The run ended: clears the bar for good.
    void finish();

    // The bar's text for a state, without the terminal's control characters (for tests).
    static std::string text(std::int64_t frame, std::int64_t totalFrames, std::uint32_t elapsedMs);

private:
    void draw(std::uint32_t nowMs);

    std::FILE* mStream;
    bool mEnabled = false;
    bool mActive = false;
    bool mShown = false;
    std::int64_t mTotal = 0;
    std::int64_t mFrame = 0;
    std::uint32_t mStartMs = 0;
    std::uint32_t mLastDrawMs = 0;
};

} // namespace dw::cli
