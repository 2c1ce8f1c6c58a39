#include "shell/shellcontext.h"

#include "run/designersession.h"

namespace dw::shell {

ShellContext::ShellContext(run::DesignerSession& session, QObject* parent)
    : QObject(parent), mSession(session) {}

bool ShellContext::runCommand(const std::function<void()>& command) {
    ++mDepth;
    const bool ok = mSession.guarded(command);
    --mDepth;
    emit designChanged();
    return ok;
}

} // namespace dw::shell
