// Commands whose machinery has not landed yet; each says so and fails.
#include "clihost.h"
#include "commands.h"

namespace dw::cli {

ExitCode runPreview(CommandContext& cx) {
    cx.host.report("'" + cx.call.command + "' is not available in this build yet");
    return ExitCode::Failed;
}

} // namespace dw::cli
