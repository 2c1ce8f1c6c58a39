#include "shell/advancedsettingswindow.h"

namespace dw::shell {

AdvancedSettingsWindow::AdvancedSettingsWindow(ShellContext&, QWidget* parent) : QWidget(parent) {
    setObjectName("frmAdvancedControls");
    setWindowTitle("Advanced Controls");
}

} // namespace dw::shell
