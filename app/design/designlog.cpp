#include "design/designlog.h"

#include <cstdio>
#include <ctime>

namespace dw::design {

LocalTime systemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string timeStampText(const LocalTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

void DesignLog::addlogline(const std::string& str) {
    mText += timeStampText(mClock()) + ": " + str + "\r\n";
    changed();
}

void DesignLog::clearlogline() {
    mText.clear();
    changed();
}

void DesignLog::changed() {
    if (mOnChange) {
        mOnChange();
    }
}

} // namespace dw::design
