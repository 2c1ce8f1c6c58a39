#include "shell/mdichildwindow.h"

#include <QCloseEvent>

namespace dw::shell {

MdiChildWindow::MdiChildWindow(QWidget* content, ClosePolicy policy, QWidget* parent)
    : QMdiSubWindow(parent), mPolicy(std::move(policy)) {
    setWidget(content);
    setObjectName(content->objectName() + "_frame");
    setWindowTitle(content->windowTitle());
    // Only the maximise button would change the picture's placement; the rest stay.
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void MdiChildWindow::showInFront() {
    show();
    raise();
}

void MdiChildWindow::closeEvent(QCloseEvent* event) {
    // The owner deletes or hides the frame; a close accepted here would hide it behind the
    // policy's back.
    event->ignore();
    if (mPolicy) {
        mPolicy();
    } else {
        hide();
    }
}

} // namespace dw::shell
