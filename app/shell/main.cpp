// dialwright: the windowed designer. Without a display it says so and ends, rather than letting
// the windowing system abort; dialwright-cli does the headless work.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>

#include "shell/shellprogram.h"
#include "shell/toolbaricons.h"

namespace {

// True when Qt is to use a window system that needs no display (offscreen, for tests and
// benchmarks), or a display is named.
bool displayAvailable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty()) {
        return true;
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

constexpr const char* kNoDisplay =
    "dialwright: cannot open a window: no display. Set DISPLAY, or use dialwright-cli, which "
    "needs none.\n";

} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    // A display that is named but cannot be reached makes Qt fall back to the offscreen
    // platform instead of aborting; that is then reported below.
    const bool chosenHere = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (chosenHere) {
        qputenv("QT_QPA_PLATFORM",
                qEnvironmentVariableIsEmpty("DISPLAY") ? "wayland;offscreen" : "xcb;offscreen");
    }
    QApplication app(argc, argv);
    if (chosenHere && QApplication::platformName() == "offscreen") {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    QApplication::setApplicationName("dialwright");
    QApplication::setWindowIcon(dw::shell::applicationIcon());

    std::vector<std::string> designs;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        designs.push_back(argument.toStdString());
    }
    dw::shell::ShellProgram program;
    if (!program.start(designs)) {
        return 1;
    }
    return QApplication::exec();
}
