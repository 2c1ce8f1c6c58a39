#pragma once
// The angle index of each hand at every frame of a run, read from the frame-count status texts
// the run sets (" 180, 174, 90 :  17": hour, minute and second index, then the frame number).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dw::design {
class HostTap;
}
namespace dw::run {
class DesignerSession;
}

namespace dw::motion {

struct MotionSample {
    std::int64_t frame = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// One status text; nullopt when it is not the three indices and a frame number (a digital run
// shows the frame number alone).
std::optional<MotionSample> parseFrameStatus(const std::string& text);

// The samples of status texts in order, one per frame number (the last text of a frame wins).
std::vector<MotionSample> samplesOf(const std::vector<std::string>& statusTexts);

struct MotionRun {
    std::vector<MotionSample> samples;
    bool sweep = false; // an erase-mode run: the second index is the sweeping line's
    std::string error;  // why there are no samples; empty when there are
};

// Called after each frame of the run with the count so far.
using MotionProgress = std::function<void(std::int64_t frames)>;

// Runs the session's design from its start time for `seconds` of clock time at its copy frame
// rate, as an export does (nothing waits, nothing is written), and reads every frame's angles.
// `tap` must be the session's host; the run's messages stay in it and come back as the error.
// A digital design has no hands and is refused. The design's duration is left as it was.
MotionRun collectMotion(run::DesignerSession& session, design::HostTap& tap, int seconds,
                        const MotionProgress& progress = {});

} // namespace dw::motion
