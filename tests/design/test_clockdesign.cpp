#include "design/clockdesign.h"

#include <gtest/gtest.h>

#include "design/toolbarbuttons.h"
#include "recordinghost.h"

using namespace dw::design;
using dw::testing::RecordingHost;

TEST(ClockDesignTest, resetRestoresCentreRadiusModesAndReleasesTheMovementButtons) {
    RecordingHost host;
    ToolbarButtons toolbar(host);
    ClockDesign design;
    design.centrex = 1;
    design.radius = "40";
    design.erase = 1;
    design.chkBitmap = 1;
    design.hred = "7";
    design.jitterOffsets = {9, 9, 9, 9, 9, 9};
    for (auto key : ToolbarButtons::kKeys) {
        toolbar.setToolbarButton(key, 1);
    }
    resetDesign(design, toolbar);
    EXPECT_EQ(design.centrex, 160);
    EXPECT_EQ(design.centrey, 90);
    EXPECT_EQ(design.radius, "64");
    EXPECT_EQ(design.erase, 0);
    EXPECT_EQ(design.chkBitmap, 0);
    EXPECT_EQ(design.hred, "7") << "fields outside the reset keep their value";
    EXPECT_EQ(design.jitterOffsets, (std::array<std::int16_t, 6>{0, 2, -2, -2, 2, 0}));
    for (auto key : ToolbarButtons::kKeys) {
        EXPECT_EQ(toolbar.getToolbarButton(key), 0) << key;
    }
}
