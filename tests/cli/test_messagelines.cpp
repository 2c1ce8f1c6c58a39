// Message boxes as lines on standard error, and the design log as printed.
#include <gtest/gtest.h>

#include "messagelines.h"

namespace dw::cli {
namespace {

TEST(MessageLines, prefixEveryLineAndDropTrailingBreaks) {
    EXPECT_EQ(messageLines("Invalid hour"), "dialwright: Invalid hour\n");
    EXPECT_EQ(messageLines("AVIFileOpen failed.\n"), "dialwright: AVIFileOpen failed.\n");
    EXPECT_EQ(messageLines("Copy FPS must be at least 5 to use the jitter function.\r\n15 FPS "
                           "is recommended."),
              "dialwright: Copy FPS must be at least 5 to use the jitter function.\n"
              "dialwright: 15 FPS is recommended.\n");
    EXPECT_EQ(messageLines("a\r\rb\n"), "dialwright: a\ndialwright: \ndialwright: b\n");
    EXPECT_EQ(messageLines(""), "dialwright: \n");
}

TEST(MessageLines, logKeepsLoneBreaksAndTurnsCrLfIntoLineFeeds) {
    EXPECT_EQ(withLineFeeds("one\r\ntwo\r\n"), "one\ntwo\n");
    EXPECT_EQ(withLineFeeds("a\rb\nc"), "a\rb\nc");
}

} // namespace
} // namespace dw::cli
