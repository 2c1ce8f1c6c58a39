// The close rules of the main window and of the design window: the exit asks the design window,
// which refuses during a run (cancelling the whole exit) and otherwise lets everything go.
#include <QCloseEvent>

#include "shell/mainwindow.h"
#include "shell/mdichildwindow.h"

namespace dw::shell {

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mExit.exitProgram()) {
        event->ignore();
        return;
    }
    // The session let the render window and every picture go; their frames follow.
    dropFrame(mAdvancedFrame);
    dropFrame(mDesignFrame);
    event->accept();
}

void MainWindow::closeDesignWindow() {
    switch (mExit.closeDesignWindow()) {
    case run::DesignWindowClose::Hidden:
        mDesignFrame->hide();
        break;
    case run::DesignWindowClose::Refused:
    case run::DesignWindowClose::Unloaded:
        break;
    }
}

} // namespace dw::shell
