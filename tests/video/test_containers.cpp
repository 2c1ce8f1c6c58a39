#include <gtest/gtest.h>

#include "video/containers.h"

namespace dw::video {
namespace {

struct PickCase {
    const char* name;
    const char* file;
    const char* codec;  // as typed
    const char* picked; // empty: refused
    const char* error;  // when refused
};

const PickCase kPicks[] = {
    {"mp4DefaultsToH264", "clock.mp4", "", "h264", ""},
    {"extensionInAnyCase", "CLOCK.MKV", "", "ffv1", ""},
    {"codecInAnyCase", "clock.mov", "ProRes", "prores", ""},
    {"gifHoldsGifOnly", "clock.gif", "h264", "",
     "a .gif file cannot hold codec 'h264'; it holds gif"},
    {"webmHoldsVpOnly", "clock.webm", "ffv1", "",
     "a .webm file cannot hold codec 'ffv1'; it holds vp9, vp8"},
};

class ContainerPick : public ::testing::TestWithParam<PickCase> {};

TEST_P(ContainerPick, choosesTheCodecOrNamesThoseTheContainerHolds) {
    const PickCase& c = GetParam();
    const Container* container = containerForFile(c.file);
    ASSERT_NE(container, nullptr);
    const CodecPick pick = pickCodec(*container, c.codec);
    EXPECT_EQ(pick.codec != nullptr ? pick.codec->name : "", c.picked);
    EXPECT_EQ(pick.error, c.error);
}

INSTANTIATE_TEST_SUITE_P(Picks, ContainerPick, ::testing::ValuesIn(kPicks),
                         [](const auto& info) { return std::string(info.param.name); });

// The AVI writer keeps its own files; a dot in a folder's name is no extension.
TEST(ContainerForFile, leavesAviAndNamesWithoutExtensionAlone) {
    EXPECT_EQ(containerForFile("clock.Avi"), nullptr);
    EXPECT_TRUE(isAviFile("clock.Avi"));
    EXPECT_EQ(containerForFile("/tmp/v1.mp4/clock"), nullptr);
    EXPECT_FALSE(isAviFile("/tmp/x.avi/clock"));
}

} // namespace
} // namespace dw::video
