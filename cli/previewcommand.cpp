// The preview command: one of the design window's two previews, written as a PNG file from the
// render window where the designer would show it.
#include "clihost.h"
#include "commands.h"
#include "pngframesinks.h"
#include "run/designersession.h"

namespace dw::cli {

ExitCode runPreview(CommandContext& cx) {
    if (!cx.session.registrationCheck() || loadDesign(cx) != LoadOutcome::Clean) {
        return ExitCode::Failed;
    }
    const std::size_t before = cx.host.messages().size();
    if (cx.call.has("--bitmap")) {
        cx.session.cmdPreviewBMP();
    } else {
        cx.session.cmdPreview();
    }
    // Each preview tells the user why it showed nothing.
    if (cx.host.messages().size() != before) {
        return ExitCode::Failed;
    }
    const design::Picture& picture = cx.session.renderWindow().Picture1();
    const auto report = [&cx](const std::string& text) { cx.host.report(text); };
    return savePng(picture, cx.call.output, report) ? ExitCode::Done : ExitCode::Failed;
}

} // namespace dw::cli
