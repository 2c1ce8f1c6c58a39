#include "design/toolbarbuttons.h"

#include <gtest/gtest.h>

#include "recordinghost.h"

using namespace dw::design;
using dw::testing::RecordedMessage;
using dw::testing::RecordingHost;

TEST(ToolbarButtonsTest, buttonsStartUpAndRememberPresses) {
    RecordingHost host;
    ToolbarButtons toolbar(host);
    EXPECT_EQ(toolbar.getToolbarButton("IDM_SMOOTHS"), 0);
    toolbar.setToolbarButton("IDM_SMOOTHS", 1);
    EXPECT_EQ(toolbar.getToolbarButton("IDM_SMOOTHS"), 1);
    EXPECT_EQ(toolbar.getToolbarButton("IDM_SMOOTHM"), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ToolbarButtonsTest, unknownKeyShowsThePlatformErrorAndReadsZero) {
    RecordingHost host;
    ToolbarButtons toolbar(host);
    EXPECT_EQ(toolbar.getToolbarButton("IDM_NOPE"), 0);
    toolbar.setToolbarButton("IDM_NOPE", 1);
    const RecordedMessage expected{"Element not found", MessageIcon::Information};
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{expected, expected}));
}
