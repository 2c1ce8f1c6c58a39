#include "run/digitaltime.h"

namespace dw::run {

namespace {

void stepUp(DigitalTime& t, HourMode mode) {
    if (++t.seconds == 60) {
        t.seconds = 0;
        ++t.minutes;
    }
    if (t.minutes > 59) {
        t.minutes = 0;
        ++t.hours;
    }
    if (mode == HourMode::Twelve && t.hours > 12) {
        t.hours = 1;
    } else if (mode == HourMode::TwentyFour && t.hours > 23) {
        t.hours = 0;
    }
}

void stepDown(DigitalTime& t, HourMode mode) {
    if (--t.seconds < 0) {
        t.seconds = 59;
        --t.minutes;
    }
    if (t.minutes < 0) {
        t.minutes = 59;
        --t.hours;
    }
    if (mode == HourMode::Twelve && t.hours < 1) {
        t.hours = 12;
    } else if (mode == HourMode::TwentyFour && t.hours < 0) {
        t.hours = 23;
    }
}

std::string twoDigits(std::int32_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

} // namespace

void stepDigitalTime(DigitalTime& time, HourMode mode, TimeDirection direction) {
    if (direction == TimeDirection::Ascending) {
        stepUp(time, mode);
    } else {
        stepDown(time, mode);
    }
    if (mode == HourMode::TwentyFour) {
        return;
    }
    // Noon and midnight both read 12:00:00; the marker changes on reaching or leaving them.
    const bool atTwelve = time.hours == 12 && time.minutes == 0 && time.seconds == 0;
    const bool justBeforeTwelve = time.hours == 11 && time.minutes == 59 && time.seconds == 59;
    if ((direction == TimeDirection::Ascending && atTwelve) ||
        (direction == TimeDirection::Descending && justBeforeTwelve)) {
        time.isAM = !time.isAM;
    }
}

DigitalNumbers digitalNumbers(const DigitalTime& time, HourMode mode, bool secondsOnly,
                              bool zeroExtend) {
    DigitalNumbers numbers;
    numbers.hours =
        mode == HourMode::TwentyFour ? twoDigits(time.hours) : std::to_string(time.hours);
    numbers.minutes = twoDigits(time.minutes);
    numbers.seconds =
        secondsOnly && !zeroExtend ? std::to_string(time.seconds) : twoDigits(time.seconds);
    return numbers;
}

} // namespace dw::run
