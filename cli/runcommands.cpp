// The commands that run a design: export, frames, still and check. Each loads the design into a
// session, applies the options, runs it the way the Save AVI command does (to the AVI writer, or
// to a frame sink in its place) and judges the outcome from what the run showed and produced.
#include <cstdio>
#include <filesystem>
#include <functional>

#include "clihost.h"
#include "commands.h"
#include "compressionoptions.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "designoverrides.h"
#include "pngframesinks.h"
#include "render/movementchecks.h"
#include "run/designersession.h"
#include "runsupport.h"
#include "video/containers.h"

namespace dw::cli {

namespace {

std::string absolutePath(const std::string& path) {
    return std::filesystem::absolute(path).lexically_normal().string();
}

// The toolbar refuses jitter below 5 frames per second when its button is pressed, but a rate
// changed afterwards (here by --fps) is never checked again, and the run would then make five
// frames a second for a file whose rate says fewer: a clock that runs slow. The toolbar's own
// check is applied before the run instead; its message refuses the run. A rate the run will
// refuse anyway is left to the run's message.
bool jitterRateAllowed(CommandContext& cx) {
    const design::ClockDesign& d = cx.session.design();
    if (d.chkDigital == 1 || d.erase == 1 || !cx.session.toolbar().pressed("IDM_JITTERS")) {
        return true;
    }
    try {
        if (design::int32Of(d.copyfps) < 1) {
            return true;
        }
    } catch (const design::RuntimeError&) {
        return true;
    }
    const std::size_t before = cx.host.messages().size();
    render::validateJitterAndSmooth(cx.session.toolbar(), d, cx.host, "IDM_JITTERS", "IDM_SMOOTHS",
                                    "second");
    return cx.host.messages().size() == before;
}

} // namespace

bool prepareRun(CommandContext& cx) {
    if (!cx.session.registrationCheck()) {
        return false;
    }
    if (loadDesign(cx) != LoadOutcome::Clean) {
        return false;
    }
    applyOverrides(cx.call, cx.session.design());
    if (!jitterRateAllowed(cx)) {
        return false;
    }
    cx.host.setOnInterrupt([&cx] { cx.session.stopTest(); });
    return true;
}

std::int64_t expectedFrames(CommandContext& cx) {
    return expectedFrameCount(cx.session.design(), cx.session.toolbar());
}

CliHost::RunReport watchRun(CommandContext& cx, const std::function<void()>& command) {
    cx.session.runState().runError.clear();
    cx.host.beginRun(expectedFrames(cx), cx.call.has("--status"));
    command();
    return cx.host.endRun();
}

bool reportedRunError(CommandContext& cx) {
    const std::string& error = cx.session.runState().runError;
    if (error.empty()) {
        return false;
    }
    cx.host.report(error);
    return true;
}

ExitCode judgeFrames(CommandContext& cx, std::int64_t frames) {
    const std::int64_t expected = expectedFrames(cx);
    if (frames <= 0) {
        cx.host.report("the run ended without producing a frame");
        return ExitCode::Failed;
    }
    if (frames < expected) {
        cx.host.report(std::string(cx.host.interrupted() ? "stopped" : "the run ended") +
                       " after " + std::to_string(frames) + " of " + std::to_string(expected) +
                       " frames");
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

ExitCode runExport(CommandContext& cx) {
    if (!video::isAviFile(cx.call.output)) {
        return runVideoExport(cx);
    }
    if (!prepareRun(cx)) {
        return ExitCode::Failed;
    }
    useCompressionOptions(cx.call);
    const std::string output = absolutePath(cx.call.output);
    cx.host.setSaveAnswer(output);
    const CliHost::RunReport run = watchRun(cx, [&] { cx.session.save_avi(); });
    if (run.messages > 0 || reportedRunError(cx)) {
        return ExitCode::Failed;
    }
    if (!std::filesystem::exists(output)) {
        return judgeFrames(cx, 0);
    }
    return judgeFrames(cx, run.lastFrame);
}

ExitCode runFrames(CommandContext& cx) {
    if (!prepareRun(cx)) {
        return ExitCode::Failed;
    }
    auto sink = std::make_shared<PngFolderSink>(
        cx.call.output, [&cx](const std::string& text) { cx.host.report(text); });
    const CliHost::RunReport run =
        watchRun(cx, [&] { cx.session.saveAviAs(cx.call.output, sink); });
    if (run.messages > 0 || reportedRunError(cx)) {
        return ExitCode::Failed;
    }
    return judgeFrames(cx, sink->framesWritten());
}

ExitCode runStill(CommandContext& cx) {
    if (!prepareRun(cx)) {
        return ExitCode::Failed;
    }
    auto sink = std::make_shared<FirstFrameSink>(
        cx.call.output, [&cx](const std::string& text) { cx.host.report(text); });
    const CliHost::RunReport run =
        watchRun(cx, [&] { cx.session.saveAviAs(cx.call.output, sink); });
    if (run.messages > 0) {
        return ExitCode::Failed;
    }
    // The sink ends the run after the first frame by refusing the next; that is no error.
    if (sink->written()) {
        return ExitCode::Done;
    }
    return reportedRunError(cx) ? ExitCode::Failed : judgeFrames(cx, 0);
}

ExitCode runCheck(CommandContext& cx) {
    if (!cx.session.registrationCheck()) {
        return ExitCode::Failed;
    }
    const LoadOutcome loaded = loadDesign(cx);
    printLog(cx);
    if (loaded == LoadOutcome::Failed || !jitterRateAllowed(cx)) {
        return ExitCode::Failed;
    }
    // The export stops when its output would open: every start check has passed by then.
    auto sink = std::make_shared<StartChecksSink>();
    const CliHost::RunReport run = watchRun(cx, [&] { cx.session.saveAviAs({}, sink); });
    if (loaded != LoadOutcome::Clean || run.messages > 0) {
        return ExitCode::Failed;
    }
    // Reaching the sink ends the run by its refusal, which is no error.
    if (!sink->reached()) {
        if (!reportedRunError(cx)) {
            cx.host.report("the run ended before its first frame");
        }
        return ExitCode::Failed;
    }
    std::printf("Checks passed: an export would write %lld frames of %d x %d at %d frames per "
                "second.\n",
                static_cast<long long>(expectedFrames(cx)), sink->width(), sink->height(),
                sink->framesPerSecond());
    return ExitCode::Done;
}

} // namespace dw::cli
