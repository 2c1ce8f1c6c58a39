// The windowed program's run against the command line's, both on the offscreen platform:
//   1. a test run of the line-hand sample, Sync test off, 60 s at 30 fps, through the real shell
//      (main window, picture window repainted after every frame, status bar) against the same
//      run through the command line's host (target: ratio at most 1.5);
//   2. with Sync test on, a 10 s test at 30 fps: its wall time against 10 s (target: within 5 %),
//      and the repaints of the picture window the hands are drawn on (target: one per step).
// Usage: bench_shell
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QApplication>
#include <QEvent>

#include "clihost.h"
#include "run/designersession.h"
#include "shell/mainwindow.h"
#include "shell/mdichildwindow.h"
#include "shell/picturewindow.h"
#include "shell/qthost.h"
#include "shell/shellcontext.h"
#include "shell/shellprogram.h"

namespace {

namespace fs = std::filesystem;

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The Qt host with its modal message boxes turned into lines, so nothing waits for a click.
class BenchQtHost : public dw::shell::QtHost {
public:
    void showMessage(const std::string& text, dw::design::MessageIcon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
};

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

void prepare(dw::run::DesignerSession& session, const std::string& design, int seconds, bool sync) {
    session.loadIniFile(design);
    session.design().duration = std::to_string(seconds);
    session.design().copyfps = "30";
    session.design().synctest = sync ? 1 : 0;
}

double cliRun(const std::string& design) {
    dw::cli::CliHost host(nullptr, stderr);
    dw::run::DesignerSession session(host);
    prepare(session, design, 60, false);
    const auto start = std::chrono::steady_clock::now();
    session.test();
    return secondsSince(start);
}

struct ShellResult {
    double seconds = 0;
    int paints = 0;
};

ShellResult shellRun(const std::string& design, int seconds, bool sync) {
    dw::shell::ShellProgram program(std::make_unique<BenchQtHost>());
    if (!program.start()) {
        std::fprintf(stderr, "the components are not registered\n");
        std::exit(1);
    }
    prepare(program.session(), design, seconds, sync);
    QApplication::processEvents();
    PaintCounter counter;
    auto* frame = program.mainWindow().pictureFrame(dw::design::PictureSlot::Main);
    static_cast<dw::shell::PictureWindow*>(frame->widget())
        ->Picture1()
        ->installEventFilter(&counter);
    const auto start = std::chrono::steady_clock::now();
    program.context().runCommand([&] { program.session().test(); });
    return {secondsSince(start), counter.paints};
}

// What the shell's event queue costs a run on its own: a frame-count text and a yield, as many
// times as the 60 s run has frames, with nothing drawn.
double yieldsAlone() {
    dw::shell::ShellProgram program(std::make_unique<BenchQtHost>());
    if (!program.start()) {
        std::exit(1);
    }
    QApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 1; frame <= 1800; ++frame) {
        program.host().setStatusText("STA_FRAMECOUNT", std::to_string(frame));
        program.host().yield();
    }
    return secondsSince(start);
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    ::setenv("DIALWRIGHT_REGISTRY", (exe.parent_path().parent_path() / "registry.txt").c_str(), 0);
    QApplication app(argc, argv);
    const std::string design =
        (fs::path(__FILE__).parent_path().parent_path() / "samples" / "line-hands.ini").string();

    double bestCli = 1e300;
    double bestShell = 1e300;
    int paints = 0;
    for (int round = 1; round <= 7; ++round) {
        const double cli = cliRun(design);
        const ShellResult shell = shellRun(design, 60, false);
        std::printf(
            "unsynchronised 60 s round %d: command line %.4f s, shell %.4f s (%d repaints)\n",
            round, cli, shell.seconds, shell.paints);
        bestCli = std::min(bestCli, cli);
        bestShell = std::min(bestShell, shell.seconds);
        paints = shell.paints;
    }
    std::printf("1800 frame-count texts and yields alone in the shell: %.4f s\n", yieldsAlone());
    const ShellResult synced = shellRun(design, 10, true);
    std::printf(
        "synchronised 10 s test: %.3f s wall, %d repaints of the picture window (10 steps)\n",
        synced.seconds, synced.paints);
    std::printf("unsynchronised repaints: %d for 60 steps\n", paints);
    std::printf("synchronised wall time / 10 s: %.3f (target 0.95 to 1.05)\n", synced.seconds / 10);
    std::printf("shell / command line (60 s at 30 fps, Sync test off): %.3f (target <= 1.5)\n",
                bestShell / bestCli);
    return 0;
}
