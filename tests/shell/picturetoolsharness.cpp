// The windowed program with a design loaded and the Circle Positioner ticked in a red tool
// colour, its main picture window put beside the design window; once laid out it prints where
// Picture1 is on the screen ("Picture1 X Y WIDTH HEIGHT"), so that a script can drive the mouse
// over it with real pointer events (scripts/shell-smoke.sh).
//   dw-picture-tools DESIGN.ini
#include <cstdio>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>

#include "shell/mainwindow.h"
#include "shell/mdichildwindow.h"
#include "shell/picturewindow.h"
#include "shell/shellprogram.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (app.arguments().size() < 2) {
        std::fprintf(stderr, "usage: dw-picture-tools DESIGN.ini\n");
        return 2;
    }
    dw::shell::ShellProgram program;
    if (!program.start({app.arguments().at(1).toStdString()})) {
        return 1;
    }
    dw::shell::MainWindow& window = program.mainWindow();
    for (const char* box : {"ctg", "ctb"}) {
        window.findChild<QLineEdit*>(box)->setText("0");
    }
    window.findChild<QCheckBox*>("chkCirc")->click();
    dw::shell::MdiChildWindow* frame = window.pictureFrame(dw::design::PictureSlot::Main);
    if (frame == nullptr) {
        std::fprintf(stderr, "dw-picture-tools: the design has no main picture\n");
        return 1;
    }
    frame->move(520, 10);
    frame->showInFront();
    QTimer::singleShot(500, frame, [frame] {
        const QWidget* picture = static_cast<dw::shell::PictureWindow*>(frame->widget())->Picture1();
        const QPoint at = picture->mapToGlobal(QPoint(0, 0));
        std::printf("Picture1 %d %d %d %d\n", at.x(), at.y(), picture->width(), picture->height());
        std::fflush(stdout);
    });
    return QApplication::exec();
}
