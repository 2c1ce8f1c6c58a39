// sheet and motion: pictures made of many frames of a design, a contact sheet of stills and a
// plot of the hands' angles. The runs' refusals go into the picture (sheet) or become the
// command's failure (motion), not a message per run.
#include <filesystem>
#include <system_error>

#include "clihost.h"
#include "commands.h"
#include "design/hosttap.h"
#include "design/pngfile.h"
#include "motion/motionplot.h"
#include "run/designersession.h"
#include "runsupport.h"
#include "sheet/contactsheet.h"
#include "sheet/sheetoptiontexts.h"

namespace dw::cli {

namespace {

void refuseFolder(const Invocation& call) {
    std::error_code error;
    if (std::filesystem::is_directory(call.output, error)) {
        throw UsageError(call.command, "the output " + call.output + " is a folder");
    }
}

ExitCode writePicture(CommandContext& cx, const QImage& picture) {
    if (const std::string error = design::writePngFile(picture, cx.call.output); !error.empty()) {
        cx.host.report(error);
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

} // namespace

ExitCode runSheet(CommandContext& cx) {
    refuseFolder(cx.call);
    // The values were checked when the command line was read.
    sheet::SheetOptionProblem problem;
    const sheet::SheetOptions options =
        sheet::readSheetOptions({cx.call.value("--times").value_or(""),
                                 cx.call.value("--columns").value_or(""),
                                 cx.call.value("--scale").value_or("1")},
                                &problem)
            .value_or(sheet::SheetOptions{});
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
                          : motion::defaultPlotSeconds(cx.session.design());
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
