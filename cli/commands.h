#pragma once
// The sub-commands of dialwright-cli. Each takes a parsed call, a host and a fresh designer
// session, prints its results and messages, and says how the program exits.
#include "commandline.h"

namespace dw::design {
class HostTap;
}
namespace dw::run {
class DesignerSession;
}

namespace dw::cli {

class CliHost;

struct CommandContext {
    const Invocation& call;
    CliHost& host;
    run::DesignerSession& session;
    // The session's host: passes everything to `host`, and keeps a run's messages while a
    // command that runs the design many times asks it to.
    design::HostTap& tap;
};

ExitCode runExport(CommandContext& cx);
ExitCode runFrames(CommandContext& cx);
ExitCode runStill(CommandContext& cx);
ExitCode runPreview(CommandContext& cx);
ExitCode runUpgrade(CommandContext& cx);
ExitCode runCheck(CommandContext& cx);
ExitCode runCodecs(CommandContext& cx);
// export to a file that is not an AVI file: the video containers of FFmpeg's libraries.
ExitCode runVideoExport(CommandContext& cx);
ExitCode runSheet(CommandContext& cx);
ExitCode runMotion(CommandContext& cx);

// How a design load went, for the commands that need a clean one.
enum class LoadOutcome {
    Clean,        // loaded, nothing to report
    WithMessages, // loaded, but messages were shown (a picture missing or refused)
    Failed        // stopped by an error, or the file cannot be read
};

// Loads the call's input through the load dialog, answered with its path. Prints a line of its
// own for a design file that cannot be read and for each named picture that did not load.
LoadOutcome loadDesign(CommandContext& cx);

// Prints the design log on standard output, with line feeds.
void printLog(CommandContext& cx);

} // namespace dw::cli
