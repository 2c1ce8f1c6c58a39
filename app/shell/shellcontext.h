#pragma once
// What every window of the shell shares: the designer session and the one path by which a user
// command reaches it. After every command the windows are told to show what the core now holds.
#include <functional>

#include <QObject>

namespace dw::run {
class DesignerSession;
}

namespace dw::shell {

class ShellContext : public QObject {
    Q_OBJECT
public:
    // `session` must outlive the context.
    explicit ShellContext(run::DesignerSession& session, QObject* parent = nullptr);

    run::DesignerSession& session() { return mSession; }

    // Runs a user command (a menu item, a button, a toolbar click). A run-time error it raises is
    // shown as its description instead of reaching the event loop. Then designChanged is
    // emitted, also after an error, since a command may have changed part of the design before
    // it failed. Commands nest: a run yields to the event queue, where other commands arrive.
    // False when the command raised a run-time error.
    bool runCommand(const std::function<void()>& command);

    // How many commands are running now (more than one while a run yields to another command).
    int commandDepth() const { return mDepth; }

signals:
    // The core may have changed the design, the toolbar flags or the pictures: every bound
    // control refreshes from the record.
    void designChanged();

private:
    run::DesignerSession& mSession;
    int mDepth = 0;
};

} // namespace dw::shell
