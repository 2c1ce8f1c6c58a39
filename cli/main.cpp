// dialwright-cli: the headless front end. Qt's offscreen platform gives the core its fonts and
// painting without a display.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QGuiApplication>
#include <memory>

#include "cliapp.h"

namespace {

// Qt's own chatter (missing runtime folders, font fallbacks) would mix with the program's
// messages on standard error; only its serious complaints are kept.
void qtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "dialwright-cli: Qt: %s\n", text.toLocal8Bit().constData());
    }
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(qtMessages);
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Qt would take arguments such as -platform for itself; ours are kept away from it.
    int qtArgc = 1;
    // Only the motion plot needs widgets; every other command runs on QtGui alone, as ever.
    std::unique_ptr<QGuiApplication> app;
    if (dw::cli::commandNeedsWidgets(args)) {
        app = std::make_unique<QApplication>(qtArgc, argv);
    } else {
        app = std::make_unique<QGuiApplication>(qtArgc, argv);
    }
    return dw::cli::runCli(args);
}
