#pragma once
// Clock times for stills: parsed from a list the user typed, or the built-in hard moments of a
// clock face.
#include <optional>
#include <string>
#include <vector>

namespace dw::sheet {

struct ClockTime {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    bool operator==(const ClockTime&) const = default;
};

// "09:05:07": two digits each.
std::string clockTimeText(const ClockTime& time);

// One time as H:MM or H:MM:SS (hours 0 to 23, minutes and seconds 0 to 59, digits only);
// nullopt when it is not one.
std::optional<ClockTime> parseClockTime(const std::string& text);

// A comma-separated list of times. On a malformed entry: nullopt, with `badEntry` set to it as
// typed.
std::optional<std::vector<ClockTime>> parseClockTimes(const std::string& text,
                                                      std::string* badEntry);

// Why a typed list of times cannot be read, naming the bad entry as typed ("'25:00:00' is not a
// clock time (H:MM or H:MM:SS, hours 0 to 23)"); empty when every entry is a time.
std::string clockTimesProblem(const std::string& text);

// The moments where faces go wrong: noon and the second before, midnight and the second before
// it, the quarter hours' odd ones, the hands' famous pose, and the ends of the start time's
// minute and hour (whose next step rolls the seconds and the minutes over).
std::vector<ClockTime> hardMoments(const ClockTime& start);

} // namespace dw::sheet
