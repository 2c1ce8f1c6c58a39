// The progress bar's text and the frame number it follows from the status texts.
#include <gtest/gtest.h>

#include <limits>
#include <pty.h>
#include <unistd.h>

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

// Totals near the 64-bit limit come from absurd durations; the bar stays right and the time left
// is capped at the largest count of seconds.
TEST(ProgressBarText, handlesTotalsNearTheLimitWithoutOverflow) {
    constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(ProgressBar::text(kHuge / 2, kHuge, 0), "[##############                ] frame " +
                                                          std::to_string(kHuge / 2) + "/" +
                                                          std::to_string(kHuge) + "  0:00 left");
    // One frame in 4000 ms of a huge total: the time left is far past the 64-bit milliseconds.
    EXPECT_EQ(ProgressBar::text(1, kHuge, 4000), "[                              ] frame 1/" +
                                                     std::to_string(kHuge) + "  " +
                                                     std::to_string(kHuge / 60) + ":07 left");
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

// Status lines echoed to the terminal the bar is drawn on must not be glued to the bar.
TEST(CliHostStatusEcho, clearsTheBarBeforeEachLineOnATerminal) {
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        GTEST_SKIP() << "no pseudo-terminal here";
    }
    std::FILE* terminal = ::fdopen(slave, "w");
    ASSERT_NE(terminal, nullptr);
    {
        CliHost host(terminal, terminal);
        host.beginRun(10, true);
        host.setStatusText("STA_FRAMECOUNT", "first :  1");
        host.setStatusText("STA_FRAMECOUNT", "second :  2");
        host.endRun();
    }
    std::fclose(terminal);
    std::string seen;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(master, buffer, sizeof buffer)) > 0) {
        seen.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(master);
    const std::size_t bar = seen.find("] frame 1/10");
    ASSERT_NE(bar, std::string::npos) << seen;
    EXPECT_NE(seen.find("\r\033[Ksecond :  2", bar), std::string::npos) << seen;
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
