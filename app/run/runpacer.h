#pragma once
// How a run loop lets the event queue in and keeps time: one yield after a frame, or, in a
// synchronised test, yields until an interval has passed. After every yield the run's check
// runs, so that an object that left its place meanwhile ends the run as a run-time error before
// anything touches it.
#include <cstdint>
#include <functional>
#include <string>

namespace dw::design {
class Host;
struct ClockDesign;
} // namespace dw::design

namespace dw::run {

// The status panel a run shows its progress in.
inline constexpr const char* kFrameCountPanel = "STA_FRAMECOUNT";

// The progress text Str(h) & "," & Str(m) & "," & Str(s) & " : " & Str(frame), each number with
// a leading blank when not negative: " 150, 174, 174 :  1". Cannot fail.
std::string frameCountText(std::int64_t hour, std::int64_t minute, std::int64_t second,
                           std::int64_t frame);

class RunPacer {
public:
    // `afterYield` runs after each yield and throws RuntimeError to end the run. The host and
    // design must outlive the pacer (the session's own do).
    RunPacer(design::Host& host, const design::ClockDesign& design,
             std::function<void()> afterYield);

    std::uint32_t now();

    // One yield, then the check.
    void yieldOnce();

    // With "synctest" at 1: yields (at least once) until `intervalMs` have passed since `since`,
    // reading the box again after every yield, so unticking it ends the wait. Otherwise one
    // yield. The tick count may wrap between `since` and now.
    void waitFrom(std::uint32_t since, std::uint32_t intervalMs);

    // The same with pacing fixed by the caller (a run that read "synctest" once at its start).
    void waitFrom(std::uint32_t since, std::uint32_t intervalMs, bool paced);

    // Shows the progress text in the frame-count panel.
    void showStatus(std::int64_t hour, std::int64_t minute, std::int64_t second,
                    std::int64_t frame);

private:
    template <typename Paced> void wait(std::uint32_t since, std::uint32_t intervalMs, Paced paced);

    design::Host& mHost;
    const design::ClockDesign& mDesign;
    std::function<void()> mAfterYield;
};

} // namespace dw::run
