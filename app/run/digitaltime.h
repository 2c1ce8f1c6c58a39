#pragma once
// The clock time of a digital read-out: the time shown, its step of one second forwards or
// backwards with the 12- and 24-hour wraps, and the number strings drawn for it.
#include <cstdint>
#include <string>

namespace dw::run {

enum class HourMode { Twelve, TwentyFour };
enum class TimeDirection { Ascending, Descending };

struct DigitalTime {
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    bool isAM = true; // only meaningful in 12-hour mode

    bool operator==(const DigitalTime&) const = default;
};

// Moves the time one second. The hours wrap above 12 to 1 (12-hour) or above 23 to 0 (24-hour),
// and back the other way when descending. In 12-hour mode AM and PM swap when the new time is
// 12:00:00 going up or 11:59:59 going down. Never fails.
void stepDigitalTime(DigitalTime& time, HourMode mode, TimeDirection direction);

// The three numbers as the read-out writes them.
struct DigitalNumbers {
    std::string hours;
    std::string minutes;
    std::string seconds;
};

// Hours get a leading 0 below 10 only in 24-hour mode; minutes always have two digits; seconds
// too, except on their own (`secondsOnly`) without `zeroExtend`, where 7 stays "7".
DigitalNumbers digitalNumbers(const DigitalTime& time, HourMode mode, bool secondsOnly,
                              bool zeroExtend);

} // namespace dw::run
