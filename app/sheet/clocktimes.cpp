#include "sheet/clocktimes.h"

#include <cstdio>

namespace dw::sheet {

namespace {

// One or two digits, at most `highest`.
std::optional<int> timePart(const std::string& text, int highest) {
    if (text.empty() || text.size() > 2) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value <= highest ? std::optional<int>(value) : std::nullopt;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string clockTimeText(const ClockTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hours, time.minutes, time.seconds);
    return text;
}

std::optional<ClockTime> parseClockTime(const std::string& text) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == ':') {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    if (parts.size() < 2 || parts.size() > 3) {
        return std::nullopt;
    }
    const auto hours = timePart(parts[0], 23);
    const auto minutes = timePart(parts[1], 59);
    const auto seconds = parts.size() == 3 ? timePart(parts[2], 59) : std::optional<int>(0);
    if (!hours || !minutes || !seconds || parts[1].size() != 2 ||
        (parts.size() == 3 && parts[2].size() != 2)) {
        return std::nullopt;
    }
    return ClockTime{*hours, *minutes, *seconds};
}

std::optional<std::vector<ClockTime>> parseClockTimes(const std::string& text,
                                                      std::string* badEntry) {
    std::vector<ClockTime> times;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = text.find(',', from);
        const std::string entry = trimmed(text.substr(from, comma - from));
        const auto time = parseClockTime(entry);
        if (!time) {
            *badEntry = entry;
            return std::nullopt;
        }
        times.push_back(*time);
        if (comma == std::string::npos) {
            return times;
        }
        from = comma + 1;
    }
}

std::string clockTimesProblem(const std::string& text) {
    std::string bad;
    if (parseClockTimes(text, &bad)) {
        return {};
    }
    return "'" + bad + "' is not a clock time (H:MM or H:MM:SS, hours 0 to 23)";
}

std::vector<ClockTime> hardMoments(const ClockTime& start) {
    return {
        {12, 0, 0},
        {11, 59, 59},
        {0, 0, 0},
        {23, 59, 59},
        {3, 0, 0},
        {6, 30, 0},
        {9, 15, 45},
        {10, 8, 42},
        {start.hours, start.minutes, 59},
        {start.hours, 59, 59},
    };
}

} // namespace dw::sheet
