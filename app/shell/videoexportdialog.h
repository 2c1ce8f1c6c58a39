#pragma once
// The options of Export -> Video for a file of one of the video containers: the fields of the
// command line's export (codec, data rate, key frames, constant frame rate, duration) as a form,
// and the export options read back from it.
#include <optional>
#include <string>

#include "shell/optionsform.h"
#include "video/videoexport.h"

namespace dw::design {
struct ClockDesign;
}

namespace dw::shell {

struct VideoExportChoice {
    video::VideoOptions options;
    std::string duration; // seconds of clock time for this export, as typed
};

class VideoExportDialog {
public:
    // The form for an export to `path`, whose extension names one of the containers; the codec
    // list holds what that container can hold here, the duration shows the design's.
    VideoExportDialog(const std::string& path, const design::ClockDesign& design);

    const FormRequest& request() const { return mRequest; }

    // The options of the answered form; nullopt with `problem` set to the reason when they
    // cannot make a file (the command line's reasons for the same values).
    std::optional<VideoExportChoice> read(const FormValues& values, std::string* problem) const;

private:
    std::string mPath;
    FormRequest mRequest;
};

} // namespace dw::shell
