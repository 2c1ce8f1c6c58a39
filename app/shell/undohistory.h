#pragma once
// Undo and redo of design edits. The command path takes a snapshot of the design fields and the
// toolbar flags before each user command and compares after it; a command that changed
// something becomes one step. Commands nest (a run yields, and other commands arrive inside
// it): what an inner command changed is its own step and never part of the outer one.
#include <functional>
#include <vector>

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "shell/designsnapshot.h"

class QAction;

namespace dw::run {
class DesignerSession;
}

namespace dw::shell {

// What a user command is to the undo history.
enum class CommandEffect {
    Edit, // what it changes becomes one undo step
    Run,  // a run, a save, a view: never a step, even if a later command inside it edits
};

struct CommandOptions {
    CommandEffect effect = CommandEffect::Edit;
    // Steps with the same key that follow each other merge into one (typing in one box), until
    // UndoHistory::endTyping.
    QString mergeKey = {};
};

class UndoHistory : public QObject {
    Q_OBJECT
public:
    // `changed` is called after an undo or redo has written the design. The session must
    // outlive the history.
    UndoHistory(run::DesignerSession& session, std::function<void()> changed,
                QObject* parent = nullptr);
    ~UndoHistory() override;

    // Around every user command, in pairs; nesting allowed. endCommand is true when the
    // command changed the design (whether or not it became a step).
    void beginCommand();
    bool endCommand(const CommandOptions& options);

    // The typing step under way is complete: the next edit of the same box is a new step.
    void endTyping() { ++mTypingRun; }

    // Forgets every step (a load or File -> New).
    void clear() { mStack.clear(); }

    QUndoStack& stack() { return mStack; }
    // "&Undo" (Ctrl+Z) and "&Redo" (Ctrl+Shift+Z), enabled while there is something to do.
    QAction* undoAction() const { return mUndoAction; }
    QAction* redoAction() const { return mRedoAction; }

    // Writes one side of a step into the design (used by the steps themselves), refreshes the
    // hand tables when the centre moved, and lets commands still open ignore the change. A
    // run-time error of the refresh is shown as a command's would be.
    void replay(const FieldChanges& changes, bool useAfter);

private:
    run::DesignerSession& mSession;
    std::function<void()> mChanged;
    QUndoStack mStack;
    QAction* mUndoAction = nullptr;
    QAction* mRedoAction = nullptr;
    std::vector<DesignSnapshot> mOpen; // one per command under way, outermost first
    int mTypingRun = 0;
};

} // namespace dw::shell
