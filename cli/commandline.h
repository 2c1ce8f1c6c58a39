#pragma once
// The command line of dialwright-cli: the table of sub-commands with their options and help
// texts, and the parse of one invocation against it. Nothing here touches a design.
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "design/optionvalues.h"

namespace dw::cli {

// Exit statuses of the program.
enum class ExitCode : int { Done = 0, Failed = 1, Usage = 2 };

// A mistake in how the program was called; its text is one line without the program's name.
class UsageError : public std::runtime_error {
public:
    UsageError(std::string command, const std::string& text)
        : std::runtime_error(text), mCommand(std::move(command)) {}
    // The sub-command whose help the user should read; empty for the program's.
    const std::string& command() const { return mCommand; }

private:
    std::string mCommand;
};

struct OptionSpec {
    std::string name;      // "--start", or "-o" for the output
    std::string valueName; // "HH:MM:SS"; empty for a switch
    std::string help;
};

struct CommandSpec {
    std::string name;
    std::string input;  // the positional argument's name ("DESIGN.ini"); empty for none
    std::string output; // what -o names ("OUT.avi"); empty when the command writes no file
    std::string summary;
    std::vector<OptionSpec> options;
    std::vector<std::string> oneOf; // switches of which exactly one must be given
};

// The sub-commands in the order the program's help lists them.
const std::vector<CommandSpec>& commandTable();
const CommandSpec* findCommand(const std::string& name);

// One parsed call. Options with values are kept as given (possibly empty); switches as "".
struct Invocation {
    std::string command; // empty for the program's own --help
    bool help = false;
    std::string input;
    std::string output;
    std::map<std::string, std::string> options;

    bool has(const std::string& option) const { return options.count(option) != 0; }
    std::optional<std::string> value(const std::string& option) const;
};

// Parses the arguments after the program name. Throws UsageError for an unknown command or
// option, a missing value, input or output, or a stray argument. A --help anywhere wins.
Invocation parseCommandLine(const std::vector<std::string>& args);

// --keyframes, --bitrate, --columns and --seconds; --scale. The export dialogs read them alike.
using design::parseScale;
using design::parseWholeNumber;

// The help of the program (empty name) or of one sub-command, ready to print.
std::string helpText(const std::string& command);

} // namespace dw::cli
