#pragma once
// The text of the log window: one time-stamped line per entry, each ended by CR LF. It lives in
// memory only. The clock is injected so that tests can fix the time stamp.
#include <functional>
#include <string>
#include <utility>

namespace dw::design {

// A local date and time, as the time stamp shows it.
struct LocalTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The current local time of the system.
LocalTime systemLocalTime();

class DesignLog {
public:
    using Clock = std::function<LocalTime()>;

    explicit DesignLog(Clock clock = systemLocalTime) : mClock(std::move(clock)) {}

    // Appends "YYYY-MM-DD HH:MM:SS: " + message + CR LF. Never fails.
    void addlogline(const std::string& str);

    // Empties the log.
    void clearlogline();

    const std::string& text() const { return mText; }

    // Called after every change, so a closed log window can be shown again with the new text.
    void setOnChange(std::function<void()> onChange) { mOnChange = std::move(onChange); }

private:
    void changed();

    Clock mClock;
    std::string mText;
    std::function<void()> mOnChange;
};

// The time stamp: date then time, "2024-03-05 07:08:09".
std::string timeStampText(const LocalTime& time);

} // namespace dw::design
