// dialwright-cli's own command line: help, and the usage mistakes that end it with status 2
// before any design is read.
#include <gtest/gtest.h>

#include "clitestsupport.h"

namespace dw::testing {
namespace {

TEST(CliHelp, programHelpListsEveryCommandAndExitsZero) {
    const CliRun run = runCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* command :
         {"export", "frames", "still", "preview", "upgrade", "check", "codecs"}) {
        EXPECT_NE(run.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    }
    EXPECT_EQ(run.err, "");
}

TEST(CliHelp, commandHelpShowsItsSynopsisWhateverElseIsGiven) {
    const CliRun run = runCli({"export", "--fps", "--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Usage: dialwright-cli export DESIGN.ini -o OUT.avi [--codec NAME]"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("--status"), std::string::npos);
    EXPECT_EQ(runCli({"preview", "-h"}).exitCode, 0);
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* message; // the first line on standard error, after "dialwright-cli: "
};

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, endsWithStatusTwoAndSaysWhy) {
    const CliRun run = runCli(GetParam().args);
    EXPECT_EQ(run.exitCode, 2);
    ASSERT_FALSE(run.errLines().empty());
    EXPECT_EQ(run.errLines()[0], std::string("dialwright-cli: ") + GetParam().message);
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, CliUsage,
    ::testing::Values(
        UsageCase{"noCommand", {}, "no command given"},
        UsageCase{"unknownCommand", {"render", "a.ini"}, "unknown command 'render'"},
        UsageCase{"unknownOption",
                  {"export", "a.ini", "-o", "a.avi", "--speed", "2"},
                  "unknown option '--speed'"},
        UsageCase{"optionOfAnotherCommand",
                  {"still", "a.ini", "-o", "a.png", "--fps", "5"},
                  "unknown option '--fps'"},
        UsageCase{"missingOptionValue",
                  {"export", "a.ini", "-o", "a.avi", "--fps"},
                  "option --fps needs F"},
        UsageCase{"missingOutputValue", {"export", "a.ini", "-o"}, "option -o needs OUT.avi"},
        UsageCase{"missingOutput", {"export", "a.ini"}, "'export' needs -o OUT.avi"},
        UsageCase{"missingDesign", {"check"}, "'check' needs DESIGN.ini"},
        UsageCase{"strayArgument", {"check", "a.ini", "b.ini"}, "unexpected argument 'b.ini'"},
        UsageCase{"outputForCheck", {"check", "a.ini", "-o", "x"}, "'check' takes no output"},
        UsageCase{"switchWithValue",
                  {"export", "a.ini", "-o", "a.avi", "--status=1"},
                  "option --status takes no value"},
        UsageCase{"startWithoutSeconds",
                  {"export", "a.ini", "-o", "a.avi", "--start", "10:00"},
                  "option --start needs HH:MM:SS, not '10:00'"},
        UsageCase{"previewWithoutKind",
                  {"preview", "a.ini", "-o", "a.png"},
                  "'preview' needs --bitmap or --erase"},
        UsageCase{"previewWithBothKinds",
                  {"preview", "a.ini", "-o", "a.png", "--bitmap", "--erase"},
                  "'preview' takes --bitmap or --erase, not both"},
        UsageCase{"keyFramesNotANumber",
                  {"export", "a.ini", "-o", "a.avi", "--keyframes", "ten"},
                  "option --keyframes needs a whole number from 0, not 'ten'"},
        UsageCase{"negativeBitRate",
                  {"export", "a.ini", "-o", "a.avi", "--bitrate=-5"},
                  "option --bitrate needs a whole number from 0, not '-5'"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dw::testing
