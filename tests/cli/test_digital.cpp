// The digital read-out seen in the frames of short runs: the time moves a second every "frames
// per second" frames with the AM/PM and 24-hour rules, seconds alone with or without the zero,
// and the separators flash every so many frames.
#include <gtest/gtest.h>

#include "clitestsupport.h"

namespace dw::testing {
namespace {

// A new name for each output of a test.
std::string nextName(const std::string& stem) {
    static int count = 0;
    return stem + std::to_string(++count);
}

// The frames of a run from `start` as PNG pictures.
std::vector<QImage> runFrames(const DesignCopy& design, const std::string& start,
                              const std::string& fps, const std::string& seconds) {
    const std::string folder = design.file(nextName("frames-"));
    const CliRun run = runCli({"frames", design.design(), "-o", folder, "--start", start, "--fps",
                               fps, "--duration", seconds});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<QImage> frames;
    for (const std::string& name : filesIn(folder)) {
        frames.push_back(readPicture(folder + "/" + name));
    }
    return frames;
}

// The read-out at one time, as the first frame of a run.
QImage stillAt(const DesignCopy& design, const std::string& time) {
    const std::string path = design.file(nextName("still-") + ".png");
    const CliRun run = runCli({"still", design.design(), "-o", path, "--time", time});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return readPicture(path);
}

// The sample is a 12-hour read-out starting in the morning.
TEST(CliDigital, noonFollowsElevenFiftyNineWithThePmText) {
    const DesignCopy am("digital.ini");
    const DesignCopy pm("digital.ini", {{"ac_chkAMPM", "0"}});
    const auto frames = runFrames(am, "11:59:58", "1", "3");
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_TRUE(samePixels(frames[0], stillAt(am, "11:59:58")));
    EXPECT_TRUE(samePixels(frames[1], stillAt(am, "11:59:59")));
    EXPECT_TRUE(samePixels(frames[2], stillAt(pm, "12:00:00")));
    EXPECT_FALSE(samePixels(frames[2], stillAt(am, "12:00:00")));
}

TEST(CliDigital, midnightFollowsTwentyThreeFiftyNineIn24HourMode) {
    const DesignCopy design("digital.ini", {{"ac_chkHourMode", "1"}});
    const auto frames = runFrames(design, "23:59:59", "2", "2");
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_TRUE(samePixels(frames[0], frames[1]));
    EXPECT_TRUE(samePixels(frames[2], stillAt(design, "00:00:00")));
    EXPECT_FALSE(samePixels(frames[1], frames[2]));
}

TEST(CliDigital, secondsOnlyPadsBelowTenOnlyWithZeroExtend) {
    const DesignCopy plain("digital.ini", {{"ac_chkSecondsOnly", "1"}, {"ac_chkZE", "0"}});
    const DesignCopy padded("digital.ini", {{"ac_chkSecondsOnly", "1"}, {"ac_chkZE", "1"}});
    EXPECT_FALSE(samePixels(stillAt(plain, "10:00:07"), stillAt(padded, "10:00:07")));
    EXPECT_TRUE(samePixels(stillAt(plain, "10:00:17"), stillAt(padded, "10:00:17")));
    // Seconds alone do not show the hours and minutes.
    EXPECT_TRUE(samePixels(stillAt(plain, "10:00:17"), stillAt(plain, "3:41:17")));
}

// Flashing every 15 frames from visible: the 16th to 30th frames hide the separators, the 31st
// shows them again, and the time moves on after 30 frames.
TEST(CliDigital, separatorsFlashEveryFifteenFrames) {
    const DesignCopy design("digital.ini");
    const auto frames = runFrames(design, "10:00:00", "30", "2");
    ASSERT_EQ(frames.size(), 60u);
    EXPECT_TRUE(samePixels(frames[0], frames[14]));
    EXPECT_FALSE(samePixels(frames[14], frames[15]));
    EXPECT_TRUE(samePixels(frames[15], frames[29]));
    EXPECT_FALSE(samePixels(frames[29], frames[30]));
    EXPECT_TRUE(samePixels(frames[30], frames[44]));
    EXPECT_FALSE(samePixels(frames[44], frames[45]));
    EXPECT_FALSE(samePixels(frames[0], frames[30]));
    EXPECT_TRUE(samePixels(frames[0], stillAt(design, "10:00:00")));
}

} // namespace
} // namespace dw::testing
