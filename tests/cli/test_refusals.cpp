// Designs and options a run refuses: the run's own message on standard error, exit status 1,
// and no file left behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "clitestsupport.h"

namespace dw::testing {
namespace {

struct RefusalCase {
    const char* name;
    const char* sample;
    DesignKeys keys;
    std::vector<std::string> options;
    std::vector<std::string> message; // the lines after "dialwright: "
    std::vector<std::string> leaveOut = {};
};

class CliRefusal : public ::testing::TestWithParam<RefusalCase> {};

std::vector<std::string> messageLines(const std::vector<std::string>& texts) {
    std::vector<std::string> lines;
    for (const std::string& text : texts) {
        lines.push_back("dialwright: " + text);
    }
    return lines;
}

TEST_P(CliRefusal, showsTheMessageAndWritesNothing) {
    const RefusalCase& c = GetParam();
    const DesignCopy design(c.sample, c.keys, c.leaveOut);
    const std::string out = design.file("out.avi");
    std::vector<std::string> args = {"export", design.design(), "-o", out};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(), messageLines(c.message));
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(run.out, "");
}

TEST_P(CliRefusal, refusesTheFramesCommandAlike) {
    const RefusalCase& c = GetParam();
    const DesignCopy design(c.sample, c.keys, c.leaveOut);
    const std::string folder = design.file("frames");
    std::vector<std::string> args = {"frames", design.design(), "-o", folder};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(), messageLines(c.message));
    EXPECT_EQ(filesIn(folder), std::vector<std::string>{});
}

const char* const kInvalidRate = "Invalid copy frames per second!";

INSTANTIATE_TEST_SUITE_P(
    Designs, CliRefusal,
    ::testing::Values(
        RefusalCase{"hourZero", "line-hands.ini", {}, {"--start", "0:10:30"}, {"Invalid hour"}},
        RefusalCase{
            "hourThirteen", "line-hands.ini", {}, {"--start", "13:10:30"}, {"Invalid hour"}},
        RefusalCase{
            "minutesSixty", "line-hands.ini", {}, {"--start", "10:60:30"}, {"Invalid minutes"}},
        RefusalCase{
            "secondsBelowZero", "line-hands.ini", {}, {"--start", "10:10:-1"}, {"Invalid seconds"}},
        RefusalCase{"eraseSecondsSixty",
                    "erase-mode.ini",
                    {},
                    {"--start", "10:10:60"},
                    {"Invalid seconds"}},
        RefusalCase{
            "durationZero", "line-hands.ini", {}, {"--duration", "0"}, {"Invalid duration"}},
        RefusalCase{
            "eraseDurationZero", "erase-mode.ini", {}, {"--duration", "0"}, {"Invalid duration"}},
        // A duration past 32 bits is a run-time error, which ends the run; its name is shown.
        RefusalCase{
            "durationOverflow", "line-hands.ini", {}, {"--duration", "99999999999"}, {"Overflow"}},
        RefusalCase{"eraseDurationOverflow",
                    "erase-mode.ini",
                    {},
                    {"--duration", "99999999999"},
                    {"Overflow"}},
        RefusalCase{"digitalDurationOverflow",
                    "digital.ini",
                    {},
                    {"--duration", "99999999999"},
                    {"Overflow"}},
        RefusalCase{"rateZero", "line-hands.ini", {}, {"--fps", "0"}, {kInvalidRate}},
        RefusalCase{"rateRoundingToZero", "line-hands.ini", {}, {"--fps", "0.4"}, {kInvalidRate}},
        RefusalCase{"rateEmpty", "line-hands.ini", {}, {"--fps", ""}, {kInvalidRate}},
        RefusalCase{"rateLetters", "line-hands.ini", {}, {"--fps", "fast"}, {kInvalidRate}},
        RefusalCase{"digitalRateZero", "digital.ini", {}, {"--fps", "0"}, {kInvalidRate}},
        RefusalCase{"smoothSecondsAtTen",
                    "kite-hands.ini",
                    {},
                    {"--fps", "10"},
                    {"In this version copy FPS must be a multiple of 6 for second hand smooth "
                     "movement"}},
        RefusalCase{
            "jitterAtFour",
            "line-hands.ini",
            {{"jitter", "1"}},
            {"--fps", "4"},
            {"Copy FPS must be at least 5 to use the jitter function.", "15 FPS is recommended."}},
        RefusalCase{
            "hourWidthZero", "line-hands.ini", {{"hw", "0"}}, {}, {"Invalid width for hours"}},
        RefusalCase{"kiteWithoutFillOrOutline",
                    "kite-hands.ini",
                    {{"ac_chkmfill", "0"}, {"ac_chkmoutline", "0"}},
                    {},
                    {"4 point vectoring for the minute hand is enabled but neither fill or "
                     "outlined are enabled"}},
        RefusalCase{"bitmapNotNamed",
                    "bitmap-hands.ini",
                    {{"secondbitmap", ""}},
                    {},
                    {"Second bitmap has not been loaded"}},
        RefusalCase{"bitmapFileMissing",
                    "bitmap-hands.ini",
                    {},
                    {},
                    {"File not found", "the picture minute.bmp of the design did not load"},
                    {"minute.bmp"}},
        RefusalCase{"noMainPicture",
                    "line-hands.ini",
                    {{"image", ""}},
                    {},
                    {"Please load a picture first"}},
        RefusalCase{"eraseWithoutBackground",
                    "erase-mode.ini",
                    {{"background", ""}},
                    {},
                    {"No background picture has been loaded"}},
        RefusalCase{"digitalHourThirteen",
                    "digital.ini",
                    {},
                    {"--start", "13:00:00"},
                    {"Invalid hour for 12 hour clock mode"}},
        RefusalCase{"digitalHour24",
                    "digital.ini",
                    {{"ac_chkHourMode", "1"}},
                    {"--start", "24:00:00"},
                    {"Invalid hour for 24 hour clock mode"}},
        RefusalCase{
            "digitalWithoutFont", "digital.ini", {{"ac_strFont", ""}}, {}, {"No font specified"}},
        RefusalCase{"flashEveryZero",
                    "digital.ini",
                    {{"ac_FlashEvery", "0"}},
                    {},
                    {"Flash separator frame count value cannot be less than or equal to 0"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dw::testing
