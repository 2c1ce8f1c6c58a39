#include "cliapp.h"

#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>

#include "clihost.h"
#include "commandline.h"
#include "commands.h"
#include "design/hosttap.h"
#include "dw/platform/messagebox.h"
#include "run/designersession.h"

namespace dw::cli {

namespace {

using CommandFunction = std::function<ExitCode(CommandContext&)>;

const std::map<std::string, CommandFunction>& commandFunctions() {
    static const std::map<std::string, CommandFunction> functions = {
        {"export", runExport},   {"frames", runFrames},   {"still", runStill},
        {"preview", runPreview}, {"upgrade", runUpgrade}, {"check", runCheck},
        {"codecs", runCodecs},   {"sheet", runSheet},     {"motion", runMotion},
    };
    return functions;
}

int usage(const UsageError& error) {
    const std::string helpCall = error.command().empty()
                                     ? "dialwright-cli --help"
                                     : "dialwright-cli " + error.command() + " --help";
    std::fprintf(stderr, "dialwright-cli: %s\nTry '%s'.\n", error.what(), helpCall.c_str());
    return static_cast<int>(ExitCode::Usage);
}

ExitCode runCommand(const Invocation& call) {
    CliHost host(stdout, stderr);
    // Components show their messages through this hook; they land where the core's do.
    const platform::ScopedMessageBoxHook hook(host.messageBoxHook());
    design::HostTap tap(host);
    run::DesignerSession session(tap);
    CommandContext cx{call, host, session, tap};
    return commandFunctions().at(call.command)(cx);
}

} // namespace

bool commandNeedsWidgets(const std::vector<std::string>& args) {
    return !args.empty() && args[0] == "motion";
}

int runCli(const std::vector<std::string>& args) {
    try {
        const Invocation call = parseCommandLine(args);
        if (call.help) {
            std::fputs(helpText(call.command).c_str(), stdout);
            return static_cast<int>(ExitCode::Done);
        }
        installInterruptHandler();
        return static_cast<int>(runCommand(call));
    } catch (const UsageError& error) {
        return usage(error);
    } catch (const std::exception& error) {
        // Nothing the core raises gets here; this is the file system or memory giving out.
        std::fprintf(stderr, "dialwright-cli: %s\n", error.what());
        return static_cast<int>(ExitCode::Failed);
    }
}

} // namespace dw::cli
