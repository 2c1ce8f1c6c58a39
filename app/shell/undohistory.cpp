#include "shell/undohistory.h"

#include <algorithm>

#include <QAction>
#include <QKeySequence>
#include <QUndoCommand>

#include "run/designersession.h"

namespace dw::shell {

namespace {

constexpr int kTypingStepId = 1;

// One undo step: the fields a command changed, with their values before and after.
class DesignEditStep : public QUndoCommand {
public:
    DesignEditStep(UndoHistory& history, FieldChanges changes, QString mergeKey, int typingRun)
        : mHistory(history), mChanges(std::move(changes)), mMergeKey(std::move(mergeKey)),
          mTypingRun(typingRun) {
        setText(mMergeKey.isEmpty() ? QStringLiteral("edit") : mMergeKey);
    }

    int id() const override { return mMergeKey.isEmpty() ? -1 : kTypingStepId; }

    // The command has already made its changes when the step is pushed.
    void redo() override {
        if (mDone) {
            mHistory.replay(mChanges, true);
        }
        mDone = true;
    }
    void undo() override { mHistory.replay(mChanges, false); }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const DesignEditStep*>(other);
        if (next->mMergeKey != mMergeKey || next->mTypingRun != mTypingRun) {
            return false;
        }
        for (const FieldChange& change : next->mChanges) {
            auto it = std::find_if(mChanges.begin(), mChanges.end(),
                                   [&](const FieldChange& c) { return c.field == change.field; });
            if (it == mChanges.end()) {
                mChanges.push_back(change);
            } else {
                it->after = change.after;
            }
        }
        std::erase_if(mChanges, [](const FieldChange& c) { return c.before == c.after; });
        // Typed and then typed back: nothing left to undo.
        setObsolete(mChanges.empty());
        return true;
    }

private:
    UndoHistory& mHistory;
    FieldChanges mChanges;
    QString mMergeKey;
    int mTypingRun;
    bool mDone = false;
};

} // namespace

UndoHistory::UndoHistory(run::DesignerSession& session, std::function<void()> changed,
                         QObject* parent)
    : QObject(parent), mSession(session), mChanged(std::move(changed)), mStack(this) {
    mUndoAction = new QAction(tr("&Undo"), this);
    mUndoAction->setObjectName("IDM_UNDO");
    mUndoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mUndoAction->setEnabled(false);
    connect(mUndoAction, &QAction::triggered, &mStack, &QUndoStack::undo);
    connect(&mStack, &QUndoStack::canUndoChanged, mUndoAction, &QAction::setEnabled);

    mRedoAction = new QAction(tr("&Redo"), this);
    mRedoAction->setObjectName("IDM_REDO");
    mRedoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    mRedoAction->setEnabled(false);
    connect(mRedoAction, &QAction::triggered, &mStack, &QUndoStack::redo);
    connect(&mStack, &QUndoStack::canRedoChanged, mRedoAction, &QAction::setEnabled);
}

// The steps refer to this history; let them go while it is still whole.
UndoHistory::~UndoHistory() {
    mStack.clear();
}

void UndoHistory::beginCommand() {
    mOpen.push_back(DesignSnapshot::take(mSession));
}

bool UndoHistory::endCommand(const CommandOptions& options) {
    const DesignSnapshot before = std::move(mOpen.back());
    mOpen.pop_back();
    FieldChanges changes = before.changesTo(DesignSnapshot::take(mSession));
    if (changes.empty()) {
        return false;
    }
    for (DesignSnapshot& outer : mOpen) {
        outer.absorb(changes);
    }
    if (options.effect == CommandEffect::Edit) {
        mStack.push(new DesignEditStep(*this, std::move(changes), options.mergeKey, mTypingRun));
    }
    return true;
}

void UndoHistory::replay(const FieldChanges& changes, bool useAfter) {
    applyChanges(mSession, changes, useAfter);
    if (touchesCentre(changes)) {
        mSession.guarded([this] { mSession.geometry().refresh(mSession.design()); });
    }
    FieldChanges applied = changes;
    for (FieldChange& change : applied) {
        change.after = useAfter ? change.after : change.before;
    }
    for (DesignSnapshot& outer : mOpen) {
        outer.absorb(applied);
    }
    if (mChanged) {
        mChanged();
    }
}

} // namespace dw::shell
