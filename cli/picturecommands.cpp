// sheet and motion: pictures made of many frames of a design, a contact sheet of stills and a
// plot of the hands' angles. The runs' refusals go into the picture (sheet) or become the
// command's failure (motion), not a message per run.
#include <filesystem>
#include <system_error>

#include <QImageWriter>

#include "clihost.h"
#include "commands.h"
#include "design/hosttap.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "motion/motionplot.h"
#include "run/designersession.h"
#include "runsupport.h"
#include "sheet/contactsheet.h"

namespace dw::cli {

namespace {

void refuseFolder(const Invocation& call) {
    std::error_code error;
    if (std::filesystem::is_directory(call.output, error)) {
        throw UsageError(call.command, "the output " + call.output + " is a folder");
    }
}

ExitCode writePicture(CommandContext& cx, const QImage& picture) {
    QImageWriter writer(QString::fromStdString(cx.call.output), "png");
    if (!writer.write(picture)) {
        cx.host.report("cannot write " + cx.call.output + ": " +
                       writer.errorString().toStdString());
        std::error_code ignored;
        std::filesystem::remove(cx.call.output, ignored);
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

// The design's duration, at most a minute, so the default plot stays readable.
int defaultSeconds(const design::ClockDesign& d) {
    constexpr int kMost = 60;
    try {
        const std::int32_t seconds = design::int32Of(d.duration);
        return seconds >= 1 && seconds < kMost ? seconds : kMost;
    } catch (const design::RuntimeError&) {
        return kMost;
    }
}

} // namespace

ExitCode runSheet(CommandContext& cx) {
    refuseFolder(cx.call);
    sheet::SheetOptions options;
    if (const auto text = cx.call.value("--times")) {
        std::string bad;
        options.times = sheet::parseClockTimes(*text, &bad).value_or(options.times);
    }
    // Both were checked when the command line was read.
    options.columns = parseWholeNumber(cx.call.value("--columns").value_or("0")).value_or(0);
    options.scale = parseScale(cx.call.value("--scale").value_or("1")).value_or(1.0);
    if (!prepareRun(cx)) {
        return ExitCode::Failed;
    }
    const sheet::SheetOutcome outcome = sheet::makeContactSheet(cx.session, cx.tap, options);
    if (!outcome.error.empty()) {
        cx.host.report(outcome.error);
        return ExitCode::Failed;
    }
    return writePicture(cx, outcome.sheet);
}

ExitCode runMotion(CommandContext& cx) {
    refuseFolder(cx.call);
    if (!prepareRun(cx)) {
        return ExitCode::Failed;
    }
    motion::MotionOptions options;
    options.seconds = cx.call.has("--seconds")
                          ? parseWholeNumber(*cx.call.value("--seconds")).value_or(1)
                          : defaultSeconds(cx.session.design());
    const motion::MotionOutcome outcome = motion::makeMotionPlot(cx.session, cx.tap, options);
    if (cx.host.interrupted()) {
        cx.host.report("stopped after " + std::to_string(outcome.run.samples.size()) +
                       " frames; no plot written");
        return ExitCode::Failed;
    }
    if (!outcome.error.empty()) {
        cx.host.report(outcome.error);
        return ExitCode::Failed;
    }
    return writePicture(cx, outcome.plot);
}

} // namespace dw::cli
