#include "designoverrides.h"

#include <algorithm>

#include "commandline.h"
#include "design/clockdesign.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "design/toolbarbuttons.h"

namespace dw::cli {

ClockTimeText splitClockTime(const std::string& command, const std::string& option,
                             const std::string& text) {
    const auto first = text.find(':');
    const auto second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos || text.find(':', second + 1) != std::string::npos) {
        throw UsageError(command, "option " + option + " needs HH:MM:SS, not '" + text + "'");
    }
    return {text.substr(0, first), text.substr(first + 1, second - first - 1),
            text.substr(second + 1)};
}

void applyOverrides(const Invocation& call, design::ClockDesign& design) {
    for (const char* option : {"--start", "--time"}) {
        if (const auto text = call.value(option)) {
            const ClockTimeText time = splitClockTime(call.command, option, *text);
            design.timeh = time.hours;
            design.timem = time.minutes;
            design.times = time.seconds;
        }
    }
    if (const auto text = call.value("--duration")) {
        design.duration = *text;
    }
    if (const auto text = call.value("--fps")) {
        design.copyfps = *text;
    }
}

std::int64_t expectedFrameCount(const design::ClockDesign& design,
                                const design::ToolbarButtons& toolbar) {
    constexpr std::int64_t kJitterFrames = 5;
    try {
        const std::int64_t seconds = design::int32Of(design.duration);
        std::int64_t perSecond = design::int32Of(design.copyfps);
        if (design.chkDigital != 1 && design.erase == 1) {
            // The sweep moves a degree a frame, six frames a second, whatever the frame rate.
            perSecond = 6;
        } else if (design.chkDigital != 1 && toolbar.pressed("IDM_JITTERS")) {
            // The five wobbling frames of a step come before its copies, however few those are.
            perSecond = std::max(perSecond, kJitterFrames);
        }
        return seconds > 0 && perSecond > 0 ? seconds * perSecond : 0;
    } catch (const design::RuntimeError&) {
        return 0;
    }
}

} // namespace dw::cli
