#include "ffmpegutil.h"

extern "C" {
#include <libavutil/error.h>
}

namespace dw::avifile::detail {

std::string avErrorText(const char* what, int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(error, text, sizeof text) != 0) {
        return std::string(what) + ": error " + std::to_string(error);
    }
    return std::string(what) + ": " + text;
}

} // namespace dw::avifile::detail
