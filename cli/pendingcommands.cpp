// Commands whose run machinery has not landed yet; each says so and fails.
#include "clihost.h"
#include "commands.h"

namespace dw::cli {

namespace {
ExitCode pending(CommandContext& cx) {
    cx.host.report("'" + cx.call.command + "' is not available in this build yet");
    return ExitCode::Failed;
}
} // namespace

ExitCode runExport(CommandContext& cx) {
    return pending(cx);
}
ExitCode runFrames(CommandContext& cx) {
    return pending(cx);
}
ExitCode runStill(CommandContext& cx) {
    return pending(cx);
}
ExitCode runPreview(CommandContext& cx) {
    return pending(cx);
}
ExitCode runCheck(CommandContext& cx) {
    return pending(cx);
}
ExitCode runCodecs(CommandContext& cx) {
    return pending(cx);
}

} // namespace dw::cli
