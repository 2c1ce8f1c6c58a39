#include <gtest/gtest.h>

#include "motion/motionsamples.h"

namespace dw::motion {
namespace {

TEST(FrameStatus, readsTheThreeIndicesAndTheFrameNumber) {
    const auto sample = parseFrameStatus(" 180, 174, 90 :  17");
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->hour, 180);
    EXPECT_EQ(sample->minute, 174);
    EXPECT_EQ(sample->second, 90);
    EXPECT_EQ(sample->frame, 17);
    // A digital run shows the frame number alone; a text with more after it is no status.
    EXPECT_FALSE(parseFrameStatus(" 17"));
    EXPECT_FALSE(parseFrameStatus(" 1, 2, 3 :  4 x"));
}

// A jitter frame's status is shown twice (after drawing and after writing); one sample a frame.
TEST(FrameStatus, keepsOneSampleAFrameTheLastShown) {
    const auto samples = samplesOf({" 1, 2, 3 :  1", " 1, 2, 4 :  1", "noise", " 1, 2, 5 :  2"});
    ASSERT_EQ(samples.size(), 2u);
    EXPECT_EQ(samples[0].second, 4);
    EXPECT_EQ(samples[1].frame, 2);
}

} // namespace
} // namespace dw::motion
