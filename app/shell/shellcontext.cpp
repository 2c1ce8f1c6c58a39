#include "shell/shellcontext.h"

#include "run/designersession.h"

namespace dw::shell {

ShellContext::ShellContext(run::DesignerSession& session, design::HostTap* tap, QObject* parent)
    : QObject(parent), mSession(session), mTap(tap), mUndo(session, [this] {
          emit designChanged();
          emit designEdited();
      }) {}

bool ShellContext::runCommand(const std::function<void()>& command, const CommandOptions& options) {
    ++mDepth;
    mUndo.beginCommand();
    const bool ok = mSession.guarded(command);
    const bool edited = mUndo.endCommand(options);
    --mDepth;
    emit designChanged();
    if (edited) {
        emit designEdited();
    }
    return ok;
}

design::FileFlowResult
ShellContext::runFileCommand(const std::function<design::FileFlowResult()>& command) {
    auto result = design::FileFlowResult::Cancelled;
    runCommand([&] { result = command(); }, {.effect = CommandEffect::Run});
    if (result != design::FileFlowResult::Cancelled) {
        mUndo.clear();
    }
    return result;
}

} // namespace dw::shell
