#include "progressbar.h"

#include <algorithm>
#include <limits>
#include <unistd.h>

namespace dw::cli {

namespace {

constexpr std::uint32_t kRedrawEveryMs = 100;
constexpr int kBarWidth = 30;

// Enough for the products of 64-bit counts and 32-bit times.
__extension__ using Wide = __int128;
constexpr std::int64_t kMaxSeconds = std::numeric_limits<std::int64_t>::max();

std::string minutesAndSeconds(std::int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

} // namespace

ProgressBar::ProgressBar(std::FILE* stream)
    : mStream(stream), mEnabled(stream != nullptr && ::isatty(::fileno(stream)) == 1) {}

ProgressBar::~ProgressBar() {
    finish();
}

void ProgressBar::start(std::int64_t totalFrames, std::uint32_t nowMs) {
    mActive = mEnabled;
    mTotal = totalFrames;
    mFrame = 0;
    mStartMs = nowMs;
    mLastDrawMs = nowMs - kRedrawEveryMs;
}

void ProgressBar::update(std::int64_t frame, std::uint32_t nowMs) {
    mFrame = frame;
    // The tick count wraps; unsigned differences stay right across the wrap.
    if (mActive && (!mShown || nowMs - mLastDrawMs >= kRedrawEveryMs)) {
        draw(nowMs);
    }
}

void ProgressBar::clear() {
    if (mShown) {
        std::fputs("\r\033[K", mStream);
        std::fflush(mStream);
        mShown = false;
    }
}

void ProgressBar::finish() {
    clear();
    mActive = false;
}

std::string ProgressBar::text(std::int64_t frame, std::int64_t totalFrames,
                              std::uint32_t elapsedMs) {
    if (totalFrames <= 0) {
        return "frame " + std::to_string(frame);
    }
    const std::int64_t done = std::clamp<std::int64_t>(frame, 0, totalFrames);
    // Wide products: a total near the 64-bit limit (an absurd duration) must not overflow.
    const int filled = static_cast<int>(Wide(done) * kBarWidth / totalFrames);
    std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, ' ') +
                       "] frame " + std::to_string(frame) + "/" + std::to_string(totalFrames);
    if (done > 0) {
        const Wide leftMs = Wide(elapsedMs) * (totalFrames - done) / done;
        const Wide leftSeconds = std::min<Wide>((leftMs + 999) / 1000, kMaxSeconds);
        line += "  " + minutesAndSeconds(static_cast<std::int64_t>(leftSeconds)) + " left";
    }
    return line;
}

void ProgressBar::draw(std::uint32_t nowMs) {
    const std::string line = text(mFrame, mTotal, nowMs - mStartMs);
    std::fprintf(mStream, "\r\033[K%s", line.c_str());
    std::fflush(mStream);
    mShown = true;
    mLastDrawMs = nowMs;
}

} // namespace dw::cli
