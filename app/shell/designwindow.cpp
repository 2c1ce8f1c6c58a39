#include "shell/designwindow.h"

namespace dw::shell {

DesignWindow::DesignWindow(ShellContext&, QWidget* parent) : QWidget(parent) {
    setObjectName("frmControls");
    setWindowTitle("Controls");
}

} // namespace dw::shell
