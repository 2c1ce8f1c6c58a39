#pragma once
// Exports to MP4, WebM, Matroska, QuickTime and GIF files: the Save AVI run of a session with a
// video file sink in place of the AVI writer, so these files hold frame for frame what an AVI
// export of the same run would. The windowed program and the command line call the same code.
#include <cstdint>
#include <functional>
#include <string>

namespace dw::run {
class DesignerSession;
}

namespace dw::video {

struct VideoOptions {
    std::string path;               // the output; its extension chooses the container
    std::string codec;              // --codec; empty: the container's default
    int bitrateKbps = 0;            // --bitrate; 0: the codec's quality default
    int keyFrameEvery = 0;          // --keyframes; 0: the codec's default
    bool constantFrameRate = false; // --cfr: every frame-time a frame of its own
};

// Why the options cannot make a file, as one sentence for a usage message; empty when they can:
// an extension that is not one of the containers' (".avi" included: that is the AVI writer's),
// a folder as output, a codec the container cannot hold, a data rate for a codec without one.
std::string checkVideoOptions(const VideoOptions& options);

struct VideoOutcome {
    bool written = false;          // a file is at the output path
    std::int64_t framesTaken = 0;  // frames the run produced
    std::int64_t framesStored = 0; // frame-times the file holds
    std::string error;             // what went wrong with the file; empty when nothing did
};

// Called after each frame the run produces, with the count so far.
using VideoProgress = std::function<void(std::int64_t frames)>;

// Runs the session's Save AVI export to the file (its refusals and the run's own messages go to
// the session's host as ever). A stopped run (stopTest) leaves a finished file of the frames so
// far. `error` tells a failure of the file (a full disk: how many frames it was finished with),
// or the run's run-time error. Options that checkVideoOptions refuses give that error and no run.
VideoOutcome exportVideo(run::DesignerSession& session, const VideoOptions& options,
                         const VideoProgress& progress = {});

} // namespace dw::video
