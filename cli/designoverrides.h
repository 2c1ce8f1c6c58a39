#pragma once
// Options that replace design settings after the load: the start time, the duration and the
// copy frames per second. The texts are stored as typed, so the run checks them exactly as it
// checks the design's own (an hour of 13 is refused by the run with its message, not here).
#include <cstdint>
#include <string>

namespace dw::design {
struct ClockDesign;
class ToolbarButtons;
} // namespace dw::design

namespace dw::cli {

struct Invocation;

// A clock time given as HH:MM:SS, each part kept as text.
struct ClockTimeText {
    std::string hours, minutes, seconds;
};

// Splits "HH:MM:SS" at its two colons. Throws UsageError (for `command`) when there are not
// exactly three parts.
ClockTimeText splitClockTime(const std::string& command, const std::string& option,
                             const std::string& text);

// Applies --start (or --time), --duration and --fps of the call to the design. Throws
// UsageError for a malformed time.
void applyOverrides(const Invocation& call, design::ClockDesign& design);

// How many frames a full run of the design produces by its settings: duration times the copy
// frame rate, six a second in erase mode, at least five a second with jitter. 0 when the
// settings give no usable count (the run will refuse them).
std::int64_t expectedFrameCount(const design::ClockDesign& design,
                                const design::ToolbarButtons& toolbar);

} // namespace dw::cli
