// The progress bar's text and the frame number it follows from the status texts.
#include <gtest/gtest.h>

#include "clihost.h"
#include "progressbar.h"

namespace dw::cli {
namespace {

TEST(ProgressBarText, showsFramesOfTotalAndTheTimeLeftByThePaceSoFar) {
    // A quarter done in 3 s leaves 9 s.
    EXPECT_EQ(ProgressBar::text(25, 100, 3000),
              "[#######                       ] frame 25/100  0:09 left");
    // Rounded up, and minutes past sixty seconds.
    EXPECT_EQ(ProgressBar::text(1, 100, 1001), "[                              ] frame 1/100  "
                                               "1:40 left");
}

TEST(ProgressBarText, copesWithNoFramesUnknownTotalsAndOvershoot) {
    EXPECT_EQ(ProgressBar::text(0, 50, 0), "[                              ] frame 0/50");
    EXPECT_EQ(ProgressBar::text(7, 0, 500), "frame 7");
    // A run may count past the settings' estimate (a stop noticed late); the bar stays full.
    EXPECT_EQ(ProgressBar::text(60, 50, 1000),
              "[##############################] frame 60/50  0:00 left");
}

TEST(ProgressBarText, staysSilentOffATerminal) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
        ProgressBar bar(file);
        EXPECT_FALSE(bar.enabled());
        bar.start(10, 0);
        bar.update(5, 1000);
        bar.finish();
    }
    EXPECT_EQ(std::ftell(file), 0);
    std::fclose(file);
}

TEST(TrailingFrameNumber, readsTheNumberThatEndsAStatusText) {
    EXPECT_EQ(trailingFrameNumber(" 240, 120, 354 :  17"), 17);
    EXPECT_EQ(trailingFrameNumber(" 3"), 3);
    EXPECT_EQ(trailingFrameNumber("Step 1 of 6 :"), -1);
    EXPECT_EQ(trailingFrameNumber(""), -1);
    EXPECT_EQ(trailingFrameNumber(" 99999999999999999999"), -1); // too long to be a count
}

} // namespace
} // namespace dw::cli
