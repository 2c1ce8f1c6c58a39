// export to MP4, WebM, Matroska, QuickTime and GIF files. The options are judged before the
// design is loaded, so a mistake leaves no file; the run is the Save AVI run with the video file
// in place of the AVI writer.
#include <filesystem>

#include "clihost.h"
#include "commands.h"
#include "runsupport.h"
#include "video/videoexport.h"

namespace dw::cli {

namespace {

video::VideoOptions videoOptions(const Invocation& call) {
    video::VideoOptions options;
    options.path = std::filesystem::absolute(call.output).lexically_normal().string();
    options.codec = call.value("--codec").value_or("");
    // Both were checked to be whole numbers when the command line was read.
    options.bitrateKbps = parseWholeNumber(call.value("--bitrate").value_or("0")).value_or(0);
    options.keyFrameEvery = parseWholeNumber(call.value("--keyframes").value_or("0")).value_or(0);
    options.constantFrameRate = call.has("--cfr");
    return options;
}

} // namespace

ExitCode runVideoExport(CommandContext& cx) {
    const video::VideoOptions options = videoOptions(cx.call);
    if (const std::string problem = video::checkVideoOptions(options); !problem.empty()) {
        throw UsageError(cx.call.command, problem);
    }
    if (!prepareRun(cx)) {
        return ExitCode::Failed;
    }
    video::VideoOutcome outcome;
    const CliHost::RunReport run =
        watchRun(cx, [&] { outcome = video::exportVideo(cx.session, options); });
    if (run.messages > 0) {
        return ExitCode::Failed;
    }
    if (!outcome.error.empty()) {
        cx.host.report(outcome.error);
        return ExitCode::Failed;
    }
    return judgeFrames(cx, outcome.written ? outcome.framesTaken : 0);
}

} // namespace dw::cli
