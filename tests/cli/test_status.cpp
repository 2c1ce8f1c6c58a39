// The status texts a run sets, as `export --status` prints them: one line per text, in order,
// for short exports whose sequences follow from the run rules.
#include <gtest/gtest.h>

#include <filesystem>

#include "clitestsupport.h"

namespace dw::testing {
namespace {

// A number as the status panel writes it: a leading blank when not negative.
std::string str(int value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

// The normal-mode frame-count text: hour, minute and second angle index, frame number.
std::string handsText(int hour, int minute, int second, int frame) {
    return str(hour) + "," + str(minute) + "," + str(second) + " : " + str(frame);
}

std::vector<std::string> exportStatus(const DesignCopy& design, std::vector<std::string> options) {
    std::vector<std::string> args = {"export", design.design(), "-o", design.file("out.avi"),
                                     "--status"};
    args.insert(args.end(), options.begin(), options.end());
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return run.outLines();
}

// line-hands starts at 10:10:30: hour index 240, minute 120, second 360.
TEST(CliStatus, steppedRunCountsEveryCopyAndStartsOneSecondPastTheStart) {
    const DesignCopy design("line-hands.ini");
    std::vector<std::string> expected;
    for (int frame = 1; frame <= 30; ++frame) {
        expected.push_back(handsText(240, 120, frame <= 15 ? 354 : 348, frame));
    }
    EXPECT_EQ(exportStatus(design, {"--fps", "15", "--duration", "2"}), expected);
}

// Each jitter frame shows its text before and after it is written; the copies once each.
std::vector<std::string> jitterStatus(int fps, int seconds) {
    const int offsets[] = {0, 2, -2, -2, 2};
    std::vector<std::string> expected;
    int frame = 0;
    for (int step = 1; step <= seconds; ++step) {
        int second = 360 - 6 * step;
        for (const int offset : offsets) {
            second += offset;
            ++frame;
            expected.push_back(handsText(240, 120, second, frame));
            expected.push_back(handsText(240, 120, second, frame));
        }
        for (int copy = 0; copy < fps - 5; ++copy) {
            expected.push_back(handsText(240, 120, second, ++frame));
        }
    }
    return expected;
}

TEST(CliStatus, jitterWobblesFiveFramesThenCopiesTheRestOfTheSecond) {
    const DesignCopy design("line-hands.ini", {{"jitter", "1"}});
    EXPECT_EQ(exportStatus(design, {"--fps", "15", "--duration", "2"}), jitterStatus(15, 2));
    EXPECT_EQ(exportStatus(design, {"--fps", "5", "--duration", "2"}), jitterStatus(5, 2));
}

// kite-hands moves its second hand smoothly from 3:40:15: indices 90, 300, 90.
TEST(CliStatus, smoothSecondsTakeSixStepsOfOneDegreeASecond) {
    const DesignCopy design("kite-hands.ini");
    std::vector<std::string> expected;
    for (int frame = 1; frame <= 12; ++frame) {
        expected.push_back(handsText(90, 300, 90 - (frame + 1) / 2, frame));
    }
    EXPECT_EQ(exportStatus(design, {"--fps", "12", "--duration", "1"}), expected);
}

TEST(CliStatus, eraseSweepFromHalfPastStartsAtSixOClockAndMovesADegreeAFrame) {
    const DesignCopy design("erase-mode.ini");
    std::vector<std::string> expected;
    for (int frame = 1; frame <= 12; ++frame) {
        expected.push_back(handsText(0, 0, 361 - frame, frame));
    }
    // Six frames a second whatever the frame rate.
    EXPECT_EQ(exportStatus(design, {"--start", "10:10:30", "--duration", "2", "--fps", "30"}),
              expected);
}

TEST(CliStatus, eraseSweepWrapsFromOneDegreeToThreeSixty) {
    // 29 s is index 6: the sixth frame is at 1, the seventh back at 360.
    const DesignCopy design("erase-mode.ini");
    const auto lines = exportStatus(design, {"--start", "10:10:29", "--duration", "2"});
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[5], handsText(0, 0, 1, 6));
    EXPECT_EQ(lines[6], handsText(0, 0, 360, 7));
}

TEST(CliStatus, digitalRunCountsItsFrames) {
    const DesignCopy design("digital.ini");
    std::vector<std::string> expected;
    for (int frame = 1; frame <= 20; ++frame) {
        expected.push_back(str(frame));
    }
    EXPECT_EQ(exportStatus(design, {"--fps", "10", "--duration", "2"}), expected);
}

TEST(CliStatus, onlyWithTheOptionAndOnlyTheRunsTexts) {
    const DesignCopy design("line-hands.ini");
    const CliRun run = runCli(
        {"export", design.design(), "-o", design.file("out.avi"), "--fps", "2", "--duration", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
}

} // namespace
} // namespace dw::testing
