#pragma once
// The advanced settings window, frmAdvancedControls, created hidden at start-up. Its controls are
// built separately; this is the window itself.
#include <QWidget>

namespace dw::shell {

class ShellContext;

class AdvancedSettingsWindow : public QWidget {
    Q_OBJECT
public:
    explicit AdvancedSettingsWindow(ShellContext& context, QWidget* parent = nullptr);
};

} // namespace dw::shell
