#pragma once
// The frame of every child window in the main window's client area. Its close box asks the
// window's close policy, which hides, refuses or lets the window go; the content widget never
// sees the request, so the close rules stay with the main window.
#include <functional>

#include <QMdiSubWindow>

namespace dw::shell {

class MdiChildWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    // Called on every close request (the close box, close()); it decides what happens, since
    // the frame itself never closes. Without a policy the frame only hides.
    using ClosePolicy = std::function<void()>;

    explicit MdiChildWindow(QWidget* content, ClosePolicy policy, QWidget* parent = nullptr);

    // Brings the frame to the front of its siblings, shown, without taking the focus away from
    // the window the user is working in.
    void showInFront();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ClosePolicy mPolicy;
};

} // namespace dw::shell
