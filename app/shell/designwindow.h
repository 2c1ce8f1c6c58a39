#pragma once
// The design window, frmControls. Its controls are built separately; this is the window itself.
#include <QWidget>

namespace dw::shell {

class ShellContext;

class DesignWindow : public QWidget {
    Q_OBJECT
public:
    explicit DesignWindow(ShellContext& context, QWidget* parent = nullptr);
};

} // namespace dw::shell
