#include "commandline.h"

#include <algorithm>
#include <sstream>

#include "designoverrides.h"
#include "sheet/clocktimes.h"

namespace dw::cli {

namespace {

const OptionSpec kStart{"--start", "HH:MM:SS", "start time of the run (replaces the design's)"};
const OptionSpec kDuration{"--duration", "S", "seconds of clock time (replaces the design's)"};
const OptionSpec kFps{"--fps", "F", "copy frames per second (replaces the design's)"};

std::vector<CommandSpec> makeTable() {
    return {
        {"export",
         "DESIGN.ini",
         "OUT.avi",
         "Run the design and write its frames to an AVI file, or by the name's extension to an "
         ".mp4, .webm, .mkv, .mov or .gif file.",
         {{"--codec", "NAME",
           "compressor (see 'codecs'); uncompressed when not given, or for the other "
           "containers their default"},
          {"--keyframes", "N", "frames from one key frame to the next (0: the codec's default)"},
          {"--bitrate", "KBPS", "data rate in kilobits per second (0: the codec's default)"},
          kStart,
          kDuration,
          kFps,
          {"--status", "", "print every status text the run sets on standard output"},
          {"--cfr", "",
           "constant frame rate: every copy a frame of its own (not for .avi, which has "
           "them anyway)"}},
         {}},
        {"frames",
         "DESIGN.ini",
         "DIR",
         "Run the design and write each frame an export would write as DIR/frame-NNNNNN.png.",
         {kStart, kDuration, kFps},
         {}},
        {"still",
         "DESIGN.ini",
         "OUT.png",
         "Write the first frame of a run as a PNG file.",
         {{"--time", "HH:MM:SS",
           "start time of the run (replaces the design's); the frame is the run's first, "
           "which with hands shows one step later"}},
         {}},
        {"preview",
         "DESIGN.ini",
         "OUT.png",
         "Write a preview as a PNG file: the bitmap hands or the erase-mode composite.",
         {{"--bitmap", "", "the bitmap hands laid over the face at fixed angles"},
          {"--erase", "", "the face laid over the erase-mode background"}},
         {"--bitmap", "--erase"}},
        {"upgrade",
         "IN.ini",
         "OUT.ini",
         "Load a design (upgrading an older file), print the log and save it.",
         {},
         {}},
        {"check",
         "DESIGN.ini",
         "",
         "Load a design, print the log and run the checks a run makes before its first frame.",
         {},
         {}},
        {"codecs", "", "", "List the compressors and the video containers on offer.", {}, {}},
        {"sheet",
         "DESIGN.ini",
         "OUT.png",
         "Write a contact sheet: the first frame of a run from each clock time, in a grid.",
         {{"--times", "T1,T2,...", "clock times, H:MM or H:MM:SS, hours 0 to 23"},
          {"--moments", "", "the hard moments of a clock face (the default)"},
          {"--columns", "N", "stills a row (default: as near a square as can be)"},
          {"--scale", "S", "size of each still against the frame (default 1)"}},
         {}},
        {"motion",
         "DESIGN.ini",
         "OUT.png",
         "Plot each hand's angle index against frame number for a run from the design's "
         "start time.",
         {{"--seconds", "N", "seconds of clock time (default: the design's duration, at most 60)"}},
         {}},
    };
}

const OptionSpec* findOption(const CommandSpec& spec, const std::string& name) {
    for (const OptionSpec& option : spec.options) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

bool isHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

// Splits "--name=value" so that both spellings of an option with a value work.
std::pair<std::string, std::optional<std::string>> splitAssignment(const std::string& arg) {
    const auto equals = arg.find('=');
    if (arg.rfind("--", 0) != 0 || equals == std::string::npos) {
        return {arg, std::nullopt};
    }
    return {arg.substr(0, equals), arg.substr(equals + 1)};
}

void parseArguments(const CommandSpec& spec, const std::vector<std::string>& args,
                    Invocation& call) {
    bool inputSeen = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        auto [name, inlineValue] = splitAssignment(args[i]);
        if (name == "-o" || name == "--output") {
            if (spec.output.empty()) {
                throw UsageError(spec.name, "'" + spec.name + "' takes no output");
            }
            if (!inlineValue && i + 1 >= args.size()) {
                throw UsageError(spec.name, "option -o needs " + spec.output);
            }
            call.output = inlineValue ? *inlineValue : args[++i];
            continue;
        }
        if (name.size() > 1 && name[0] == '-') {
            const OptionSpec* option = findOption(spec, name);
            if (option == nullptr) {
                throw UsageError(spec.name, "unknown option '" + name + "'");
            }
            if (option->valueName.empty()) {
                if (inlineValue) {
                    throw UsageError(spec.name, "option " + name + " takes no value");
                }
                call.options[name] = "";
            } else if (inlineValue) {
                call.options[name] = *inlineValue;
            } else if (i + 1 < args.size()) {
                call.options[name] = args[++i];
            } else {
                throw UsageError(spec.name, "option " + name + " needs " + option->valueName);
            }
            continue;
        }
        if (spec.input.empty() || inputSeen) {
            throw UsageError(spec.name, "unexpected argument '" + args[i] + "'");
        }
        call.input = args[i];
        inputSeen = true;
    }
    if (!spec.input.empty() && !inputSeen) {
        throw UsageError(spec.name, "'" + spec.name + "' needs " + spec.input);
    }
    if (!spec.output.empty() && call.output.empty()) {
        throw UsageError(spec.name, "'" + spec.name + "' needs -o " + spec.output);
    }
}

// The options of sheet and motion.
void checkPictureValues(const Invocation& call) {
    if (call.has("--times") && call.has("--moments")) {
        throw UsageError(call.command,
                         "'" + call.command + "' takes --times or --moments, not both");
    }
    if (const auto text = call.value("--times")) {
        if (const std::string problem = sheet::clockTimesProblem(*text); !problem.empty()) {
            throw UsageError(call.command, "option --times: " + problem);
        }
    }
    for (const char* option : {"--columns", "--seconds"}) {
        if (const auto text = call.value(option)) {
            if (const std::string problem = design::wholeNumberProblem(*text, 1);
                !problem.empty()) {
                throw UsageError(call.command, std::string("option ") + option + " " + problem);
            }
        }
    }
    if (const auto text = call.value("--scale")) {
        if (const std::string problem = design::scaleProblem(*text); !problem.empty()) {
            throw UsageError(call.command, "option --scale " + problem);
        }
    }
}

// Values the command line itself can judge, so that a mistake costs no design load.
void checkValues(const Invocation& call) {
    const CommandSpec& spec = *findCommand(call.command);
    if (!spec.oneOf.empty()) {
        const auto given =
            std::count_if(spec.oneOf.begin(), spec.oneOf.end(),
                          [&call](const std::string& name) { return call.has(name); });
        const std::string choices = spec.oneOf[0] + " or " + spec.oneOf[1];
        if (given == 0) {
            throw UsageError(call.command, "'" + call.command + "' needs " + choices);
        }
        if (given > 1) {
            throw UsageError(call.command,
                             "'" + call.command + "' takes " + choices + ", not both");
        }
    }
    for (const char* option : {"--keyframes", "--bitrate"}) {
        if (const auto text = call.value(option)) {
            if (const std::string problem = design::wholeNumberProblem(*text, 0);
                !problem.empty()) {
                throw UsageError(call.command, std::string("option ") + option + " " + problem);
            }
        }
    }
    for (const char* option : {"--start", "--time"}) {
        if (const auto text = call.value(option)) {
            splitClockTime(call.command, option, *text);
        }
    }
    checkPictureValues(call);
}

} // namespace

const std::vector<CommandSpec>& commandTable() {
    static const std::vector<CommandSpec> table = makeTable();
    return table;
}

const CommandSpec* findCommand(const std::string& name) {
    for (const CommandSpec& spec : commandTable()) {
        if (spec.name == name) {
            return &spec;
        }
    }
    return nullptr;
}

std::optional<std::string> Invocation::value(const std::string& option) const {
    const auto it = options.find(option);
    if (it == options.end()) {
        return std::nullopt;
    }
    return it->second;
}

Invocation parseCommandLine(const std::vector<std::string>& args) {
    Invocation call;
    if (args.empty()) {
        throw UsageError("", "no command given");
    }
    if (isHelp(args[0])) {
        call.help = true;
        return call;
    }
    const CommandSpec* spec = findCommand(args[0]);
    if (spec == nullptr) {
        throw UsageError("", "unknown command '" + args[0] + "'");
    }
    call.command = spec->name;
    if (std::any_of(args.begin() + 1, args.end(), isHelp)) {
        call.help = true;
        return call;
    }
    parseArguments(*spec, args, call);
    checkValues(call);
    return call;
}

namespace {

std::string synopsis(const CommandSpec& spec) {
    std::string line = "dialwright-cli " + spec.name;
    if (!spec.input.empty()) {
        line += " " + spec.input;
    }
    for (std::size_t i = 0; i < spec.oneOf.size(); ++i) {
        line += (i == 0 ? " " : "|") + spec.oneOf[i];
    }
    if (!spec.output.empty()) {
        line += " -o " + spec.output;
    }
    for (const OptionSpec& option : spec.options) {
        if (std::find(spec.oneOf.begin(), spec.oneOf.end(), option.name) != spec.oneOf.end()) {
            continue;
        }
        line += " [" + option.name + (option.valueName.empty() ? "" : " " + option.valueName) + "]";
    }
    return line;
}

std::string programHelp() {
    std::ostringstream out;
    out << "Usage: dialwright-cli COMMAND [ARGUMENTS]\n"
           "Runs clock designs headless: exports, frames, stills, previews and checks.\n\n"
           "Commands:\n";
    for (const CommandSpec& spec : commandTable()) {
        out << "  " << spec.name << std::string(10 - spec.name.size(), ' ') << spec.summary << "\n";
    }
    out << "\n'dialwright-cli COMMAND --help' describes one command.\n"
           "Messages of the design, the run and the AVI writer are printed on standard error\n"
           "as 'dialwright: TEXT'.\n"
           "Exit status: 0 done, 1 refused or failed (a message says why), 2 usage.\n";
    return out.str();
}

} // namespace

std::string helpText(const std::string& command) {
    const CommandSpec* spec = findCommand(command);
    if (spec == nullptr) {
        return programHelp();
    }
    std::ostringstream out;
    out << "Usage: " << synopsis(*spec) << "\n" << spec->summary << "\n";
    if (!spec->output.empty() || !spec->options.empty()) {
        out << "\nOptions:\n";
    }
    if (!spec->output.empty()) {
        out << "  -o " << spec->output
            << std::string(std::max<std::size_t>(2, 18 - 3 - spec->output.size()), ' ')
            << "where the result goes\n";
    }
    for (const OptionSpec& option : spec->options) {
        const std::string head =
            option.name + (option.valueName.empty() ? "" : " " + option.valueName);
        out << "  " << head << std::string(std::max<std::size_t>(2, 18 - head.size()), ' ')
            << option.help << "\n";
    }
    return out.str();
}

} // namespace dw::cli
