#include "video/ffmpegtools.h"

#include <cstdio>
#include <mutex>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

namespace dw::video {

namespace {

std::mutex gLogMutex;
std::string gLastError;
int gCaptures = 0;

void captureLog(void* object, int level, const char* format, va_list args) {
    if (level > AV_LOG_ERROR) {
        return;
    }
    char line[1024];
    int prefix = 0; // no "[libx264 @ 0x...]": the message names its codec itself
    av_log_format_line(object, level, format, args, line, sizeof line, &prefix);
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    const std::lock_guard lock(gLogMutex);
    if (!text.empty()) {
        gLastError = text;
    }
}

} // namespace

std::string avError(const std::string& what, int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    std::string message = what + ": ";
    if (av_strerror(error, text, sizeof text) == 0) {
        message += text;
    } else {
        message += "error " + std::to_string(error);
    }
    const std::string logged = LogCapture::lastError();
    if (!logged.empty() && logged.find(text) == std::string::npos) {
        message += " (" + logged + ")";
    }
    return message;
}

LogCapture::LogCapture() {
    const std::lock_guard lock(gLogMutex);
    if (gCaptures++ == 0) {
        gLastError.clear();
        av_log_set_callback(captureLog);
    }
}

LogCapture::~LogCapture() {
    const std::lock_guard lock(gLogMutex);
    if (--gCaptures == 0) {
        // The AVI writer's encoders print through the default callback, as they always have.
        av_log_set_callback(av_log_default_callback);
    }
}

std::string LogCapture::lastError() {
    const std::lock_guard lock(gLogMutex);
    return gLastError;
}

} // namespace dw::video
