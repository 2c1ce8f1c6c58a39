// The commands that work on the design file alone: upgrade and check.
#include "clihost.h"
#include "commands.h"
#include "design/designfileflow.h"
#include "run/designersession.h"

namespace dw::cli {

ExitCode runUpgrade(CommandContext& cx) {
    const LoadOutcome loaded = loadDesign(cx);
    printLog(cx);
    if (loaded == LoadOutcome::Failed) {
        return ExitCode::Failed;
    }
    // A picture that did not load keeps its name in the design, so the saved file still names
    // it; the messages above have told the user.
    cx.host.setSaveAnswer(cx.call.output);
    return cx.session.save_ini() == design::FileFlowResult::Done ? ExitCode::Done
                                                                 : ExitCode::Failed;
}

} // namespace dw::cli
