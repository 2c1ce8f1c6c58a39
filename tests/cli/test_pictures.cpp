// The contact sheet and the motion plot as the command line writes them: one reference picture
// each, and what they refuse.
#include <gtest/gtest.h>

#include <filesystem>

#include "clitestsupport.h"
#include "goldenimage.h"

namespace dw::testing {
namespace {

TEST(CliSheet, stillsAtEachTimeWithTheRefusedHourInItsCell) {
    const DesignCopy design("line-hands.ini");
    const std::string out = design.file("sheet.png");
    const CliRun run = runCli({"sheet", design.design(), "-o", out, "--times",
                               "3:00:00,10:08:42,13:00", "--columns", "2", "--scale", "0.5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    expectGolden(readPicture(out), "sheet", "line-hands");
}

TEST(CliSheet, digitalReadOutsShowTheDesignsOwnRefusal) {
    const DesignCopy design("digital.ini");
    const std::string out = design.file("sheet.png");
    const CliRun run = runCli({"sheet", design.design(), "-o", out, "--moments"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // Ten moments, four a row as near a square: three rows of a 320 x 100 still and its label.
    const QImage sheet = readPicture(out);
    EXPECT_EQ(sheet.width(), 8 + 4 * (320 + 8));
    EXPECT_EQ(sheet.height(), 8 + 3 * (100 + 24 + 8));
}

TEST(CliSheet, malformedTimesAreUsageMistakesNamingTheEntry) {
    const DesignCopy design("line-hands.ini");
    for (const std::string bad : {"25:00:00", "9:60", "noon"}) {
        const CliRun run = runCli(
            {"sheet", design.design(), "-o", design.file("s.png"), "--times", "3:00:00," + bad});
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_EQ(run.errLines().at(0), "dialwright-cli: option --times: '" + bad +
                                            "' is not a clock time (H:MM or H:MM:SS, hours 0 "
                                            "to 23)");
        EXPECT_FALSE(std::filesystem::exists(design.file("s.png")));
    }
}

TEST(CliMotion, plotsEachHandsAngleAgainstFrameNumber) {
    const DesignCopy design("line-hands.ini", {{"jitter", "1"}});
    const std::string out = design.file("motion.png");
    const CliRun run = runCli({"motion", design.design(), "-o", out, "--seconds", "3"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    expectGolden(readPicture(out), "motion", "line-hands-jitter");
}

TEST(CliMotion, aDigitalDesignHasNoHands) {
    const DesignCopy design("digital.ini");
    const CliRun run = runCli({"motion", design.design(), "-o", design.file("m.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(),
              std::vector<std::string>{"dialwright: a digital design has no hands to plot"});
    EXPECT_FALSE(std::filesystem::exists(design.file("m.png")));
}

} // namespace
} // namespace dw::testing
