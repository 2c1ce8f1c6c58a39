#pragma once
// What every window of the shell shares: the designer session, the one path by which a user
// command reaches it, and the undo history of the commands. After every command the windows are
// told to show what the core now holds.
#include <functional>

#include <QObject>

#include "design/designfileflow.h"
#include "shell/undohistory.h"

namespace dw::design {
class HostTap;
}
namespace dw::run {
class DesignerSession;
}

namespace dw::shell {

class ShellContext : public QObject {
    Q_OBJECT
public:
    // `session` must outlive the context. `tap`, when given, must be the session's host.
    explicit ShellContext(run::DesignerSession& session, design::HostTap* tap = nullptr,
                          QObject* parent = nullptr);

    run::DesignerSession& session() { return mSession; }
    // The session's host as a tap, for the exports that run the design many times over and
    // keep each run's messages; null when the session was given none.
    design::HostTap* hostTap() { return mTap; }

    // Runs a user command (a menu item, a button, a toolbar click). A run-time error it raises is
    // shown as its description instead of reaching the event loop. Then designChanged is
    // emitted, also after an error, since a command may have changed part of the design before
    // it failed; designEdited follows when it did change the design. Commands nest: a run yields
    // to the event queue, where other commands arrive. What the command changed becomes one undo
    // step as `options` say. False when the command raised a run-time error.
    bool runCommand(const std::function<void()>& command, const CommandOptions& options = {});

    // A load or File -> New (load_ini, save_ini): run as a command that makes no undo step; unless
    // its dialog was cancelled the undo history then starts afresh. Cancelled also when the
    // command raised a run-time error before it returned.
    design::FileFlowResult runFileCommand(const std::function<design::FileFlowResult()>& command);

    // How many commands are running now (more than one while a run yields to another command).
    int commandDepth() const { return mDepth; }

    // Undo and redo of the design edits; its two actions belong in the "&Edit" menu.
    UndoHistory& undoHistory() { return mUndo; }

signals:
    // The core may have changed the design, the toolbar flags or the pictures: every bound
    // control refreshes from the record.
    void designChanged();
    // A command, an undo or a redo did change the design fields or toolbar flags.
    void designEdited();

private:
    run::DesignerSession& mSession;
    design::HostTap* mTap;
    UndoHistory mUndo;
    int mDepth = 0;
};

} // namespace dw::shell
