#include "shell/exportcommands.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "design/clockdesign.h"
#include "design/hosttap.h"
#include "design/pngfile.h"
#include "motion/motionplot.h"
#include "run/designersession.h"
#include "run/runpacer.h"
#include "sheet/contactsheet.h"
#include "shell/mainwindow.h"
#include "shell/motionexportdialog.h"
#include "shell/sheetexportdialog.h"
#include "shell/shellcontext.h"
#include "shell/videoexportdialog.h"
#include "video/containers.h"

namespace dw::shell::commands {

namespace {

using design::MessageIcon;

constexpr const char* kPictureFilter = "PNG pictures (*.png)|*.png";

// Every container by its extension, then the AVI writer's.
std::string videoFilter() {
    std::string filter;
    for (const video::Container& container : video::containers()) {
        filter +=
            container.description + " (*" + container.extension + ")|*" + container.extension + "|";
    }
    return filter + "AVI Files (*.avi)|*.avi";
}

// The refusals of Save AVI, then the file. Empty when refused or cancelled.
std::string askFile(MainWindow& window, const std::string& filter) {
    run::DesignerSession& session = window.session();
    if (!session.exportAllowed()) {
        return {};
    }
    return session.host().saveFileDialog(filter, session.lastDir());
}

// A picture named without an extension is given ".png"; another extension is kept as typed.
std::string pictureName(const std::string& fileName) {
    std::filesystem::path path(fileName);
    if (!path.has_extension()) {
        path += ".png";
    }
    return path.string();
}

void showProgress(MainWindow& window, const std::string& text) {
    window.session().host().setStatusText(run::kFrameCountPanel, text);
}

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

void reportDone(MainWindow& window, const std::string& text) {
    window.session().addlogline(text);
    showProgress(window, text);
}

void reportFailure(MainWindow& window, const std::string& what, const std::string& reason) {
    window.session().addlogline(what + " failed: " + reason);
    showProgress(window, what + " failed");
    window.session().host().showMessage(reason, MessageIcon::Critical);
}

// Runs the export as a user command that makes no undo step.
template <typename Export> void runExport(MainWindow& window, Export&& work) {
    window.context().runCommand(std::forward<Export>(work), {.effect = CommandEffect::Run});
}

// The duration of one export, given in its options, in place of the design's while it runs.
class DurationForExport {
public:
    DurationForExport(design::ClockDesign& design, std::string duration)
        : mDesign(design), mKept(design.duration), mGiven(std::move(duration)) {
        mDesign.duration = mGiven;
    }
    // A design loaded during the export keeps its own.
    ~DurationForExport() {
        if (mDesign.duration == mGiven) {
            mDesign.duration = mKept;
        }
    }
    DurationForExport(const DurationForExport&) = delete;
    DurationForExport& operator=(const DurationForExport&) = delete;

private:
    design::ClockDesign& mDesign;
    std::string mKept;
    std::string mGiven;
};

// The form answered, or nullopt when cancelled or refused (after the reason).
template <typename Dialog>
auto askOptions(MainWindow& window, const Dialog& dialog) -> decltype(dialog.read({}, nullptr)) {
    const std::optional<FormValues> values = window.host().optionsDialog(dialog.request());
    if (!values) {
        return std::nullopt;
    }
    std::string problem;
    auto options = dialog.read(*values, &problem);
    if (!options) {
        window.session().host().showMessage(problem, MessageIcon::Information);
    }
    return options;
}

// Sheets and plots keep each run's messages in the session's tap, which the program gives its
// session; a window put together without one says so.
design::HostTap* hostTap(MainWindow& window) {
    design::HostTap* tap = window.context().hostTap();
    if (tap == nullptr) {
        window.session().host().showMessage("This window has no host tap to export with",
                                            MessageIcon::Critical);
    }
    return tap;
}

void exportAvi(MainWindow& window, const std::string& path) {
    run::DesignerSession& session = window.session();
    session.runState().runError.clear();
    runExport(window, [&] { session.saveAviAs(path); });
    const std::string what = "Export to " + path;
    if (!session.runState().runError.empty()) {
        reportFailure(window, what, session.runState().runError);
    } else if (std::filesystem::exists(path)) {
        reportDone(window, "Exported " + path);
    } else {
        // The run or the writer said why with a message of its own.
        session.addlogline(what + ": nothing written");
    }
}

} // namespace

void exportVideo(MainWindow& window) {
    const std::string path = askFile(window, videoFilter());
    if (path.empty()) {
        return;
    }
    if (video::isAviFile(path)) {
        exportAvi(window, path);
        return;
    }
    run::DesignerSession& session = window.session();
    const auto choice = askOptions(window, VideoExportDialog(path, session.design()));
    if (!choice) {
        return;
    }
    const std::string name = fileNameOf(path);
    video::VideoOutcome outcome;
    runExport(window, [&] {
        const DurationForExport duration(session.design(), choice->duration);
        outcome = video::exportVideo(session, choice->options, [&](std::int64_t frames) {
            showProgress(window, "Exporting " + name + ": frame " + std::to_string(frames));
        });
    });
    const std::string what = "Export to " + path;
    if (!outcome.error.empty()) {
        reportFailure(window, what, outcome.error);
    } else if (outcome.written) {
        reportDone(window,
                   "Exported " + std::to_string(outcome.framesTaken) + " frames to " + path);
    } else {
        // The run was refused with a message of its own.
        session.addlogline(what + ": nothing written");
    }
}

// What a picture export starts from: the session's tap and the file from the save dialog.
struct PictureExport {
    design::HostTap& tap;
    std::string path;
};

// Nullopt when the export may not start or the dialog was cancelled.
std::optional<PictureExport> beginPictureExport(MainWindow& window) {
    design::HostTap* tap = hostTap(window);
    if (tap == nullptr) {
        return std::nullopt;
    }
    const std::string chosen = askFile(window, kPictureFilter);
    if (chosen.empty()) {
        return std::nullopt;
    }
    return PictureExport{*tap, pictureName(chosen)};
}

// Writes a picture export's image unless making it failed; a failure is reported, and false.
bool writePicture(MainWindow& window, const std::string& what, std::string error,
                  const QImage& image, const std::string& path) {
    if (error.empty()) {
        error = design::writePngFile(image, path);
    }
    if (!error.empty()) {
        reportFailure(window, what, error);
        return false;
    }
    return true;
}

void exportSheet(MainWindow& window) {
    const std::optional<PictureExport> started = beginPictureExport(window);
    if (!started) {
        return;
    }
    design::HostTap* tap = &started->tap;
    const std::string& path = started->path;
    const auto options = askOptions(window, SheetExportDialog());
    if (!options) {
        return;
    }
    run::DesignerSession& session = window.session();
    sheet::SheetOutcome outcome;
    runExport(window, [&] {
        outcome = sheet::makeContactSheet(session, *tap, *options, [&](int done, int total) {
            showProgress(window, "Contact sheet: " + std::to_string(done) + " of " +
                                     std::to_string(total) + " stills");
        });
    });
    if (!writePicture(window, "Contact sheet " + path, outcome.error, outcome.sheet, path)) {
        return;
    }
    reportDone(window, "Wrote a contact sheet of " + std::to_string(outcome.cells.size()) +
                           " stills to " + path);
}

void exportMotion(MainWindow& window) {
    const std::optional<PictureExport> started = beginPictureExport(window);
    if (!started) {
        return;
    }
    design::HostTap* tap = &started->tap;
    const std::string& path = started->path;
    run::DesignerSession& session = window.session();
    const auto seconds = askOptions(window, MotionExportDialog(session.design()));
    if (!seconds) {
        return;
    }
    motion::MotionOptions options;
    options.seconds = *seconds;
    options.progress = [&](std::int64_t frames) {
        showProgress(window, "Motion plot: frame " + std::to_string(frames));
    };
    motion::MotionOutcome outcome;
    runExport(window, [&] { outcome = motion::makeMotionPlot(session, *tap, options); });
    if (!writePicture(window, "Motion plot " + path, outcome.error, outcome.plot, path)) {
        return;
    }
    reportDone(window, "Wrote a motion plot of " + std::to_string(outcome.run.samples.size()) +
                           " frames to " + path);
}

} // namespace dw::shell::commands
