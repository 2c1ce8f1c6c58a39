#include "render/centrefinding.h"

#include <gtest/gtest.h>

#include "design/clockdesign.h"
#include "design/pictureslots.h"
#include "design/runtimeerror.h"
#include "picturefolder.h"
#include "recordinghost.h"
#include "render/handgeometry.h"

using namespace dw::design;
using namespace dw::render;
using dw::testing::PictureFolder;
using dw::testing::RecordedMessage;
using dw::testing::RecordingHost;

namespace {

class CentreFindingTest : public ::testing::Test {
protected:
    void load(PictureSlot slot, int width, int height) {
        const std::string name = std::string(slotCaption(slot)) + ".bmp";
        folder.writePicture(name, width, height);
        pictures.loadPictureSlot(slot, slotCaption(slot), true, name);
    }

    RecordingHost host;
    ClockDesign design;
    PictureFolder folder;
    std::string iniDirectory = folder.path();
    PictureSlots pictures{host, design, iniDirectory};
    HandGeometry geometry;
};

struct FaceSize {
    const char* name;
    int width, height;
    std::int16_t x, y;
};

class AutoCentre : public CentreFindingTest, public ::testing::WithParamInterface<FaceSize> {};

TEST_P(AutoCentre, confirmsTheMiddleOfTheFaceWithHalvesToEven) {
    const FaceSize& face = GetParam();
    load(PictureSlot::Main, face.width, face.height);
    cmdAutoCenter_Click(design, geometry, pictures);
    EXPECT_EQ(design.centrex, face.x);
    EXPECT_EQ(design.centrey, face.y);
    EXPECT_EQ(design.Label1, "(" + std::to_string(face.x) + ", " + std::to_string(face.y) + ")");
    EXPECT_EQ(design.txtLeft, std::to_string(face.x));
    EXPECT_EQ(design.txtTop, std::to_string(face.y));
    // Six o'clock on the inner circle lies straight below the new centre.
    const QPoint below = geometry.tables().innerCircle.at(0);
    EXPECT_EQ(below, QPoint(face.x, face.y + 10));
}

INSTANTIATE_TEST_SUITE_P(CentreFinding, AutoCentre,
                         ::testing::Values(FaceSize{"even", 320, 180, 160, 90},
                                           FaceSize{"oddHalvesDown", 641, 481, 320, 240},
                                           FaceSize{"oddHalvesUp", 643, 3, 322, 2},
                                           FaceSize{"onePixel", 1, 1, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CentreFindingTest, autoCentresWithoutTheirPicturesDoNothing) {
    const ClockDesign before = design;
    cmdAutoCenter_Click(design, geometry, pictures);
    load(PictureSlot::Main, 40, 30);
    EXPECT_FALSE(cmdAutoCenterBox_Click(design, pictures));
    EXPECT_EQ(design.centrex, before.centrex);
    EXPECT_EQ(design.Label1, before.Label1);
    EXPECT_EQ(design.lblConfirmedXY, before.lblConfirmedXY);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CentreFindingTest, setCentreTakesTheLeadingNumbersRoundedHalvesToEven) {
    design.txtLeft = "12.5";
    design.txtTop = "13.5 px";
    cmdSet_Click(design, geometry);
    EXPECT_EQ(design.centrex, 12);
    EXPECT_EQ(design.centrey, 14);
    EXPECT_EQ(design.Label1, "(12, 14)");
    EXPECT_EQ(design.txtTop, "14");

    design.txtLeft = "left";
    design.txtTop = "-7";
    cmdSet_Click(design, geometry);
    EXPECT_EQ(design.Label1, "(0, -7)");
}

TEST_F(CentreFindingTest, setCentrePast16BitsIsARunTimeErrorThatChangesNothing) {
    design.txtLeft = "10";
    design.txtTop = "40000";
    EXPECT_THROW(cmdSet_Click(design, geometry), RuntimeError);
    EXPECT_EQ(design.centrex, 160);
    EXPECT_EQ(design.centrey, 90);
    EXPECT_EQ(design.txtLeft, "10");
}

TEST_F(CentreFindingTest, eraseTopLeftOfASmallerBackgroundIsNegative) {
    load(PictureSlot::Main, 40, 30);
    load(PictureSlot::EraseBackground, 20, 22);
    ASSERT_TRUE(cmdAutoCenterBox_Click(design, pictures));
    EXPECT_EQ(design.eraseTopLeftX, -10);
    EXPECT_EQ(design.eraseTopLeftY, -4);
    EXPECT_EQ(design.lblConfirmedXY, "(-10, -4)");
    EXPECT_EQ(design.edtX, "") << "the typed boxes stay as they were";
}

TEST_F(CentreFindingTest, bitmapTopLeftCentresTheHourBitmapOnTheFace) {
    EXPECT_FALSE(cmdBMPautocentre_Click(design, pictures));
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{
                                 {"Hour bitmap has not been loaded", MessageIcon::Critical}}));

    load(PictureSlot::Hour, 31, 20);
    load(PictureSlot::Minute, 7, 7);
    load(PictureSlot::Second, 7, 7);
    load(PictureSlot::Top, 7, 7);
    host.messages.clear();
    EXPECT_FALSE(cmdBMPautocentre_Click(design, pictures)) << "no face to centre on";
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(design.lblConfirmedBMPXY, "");

    load(PictureSlot::Main, 100, 81);
    ASSERT_TRUE(cmdBMPautocentre_Click(design, pictures));
    EXPECT_EQ(design.bmptopx, 34) << "34.5 goes to the even neighbour";
    EXPECT_EQ(design.bmptopy, 30) << "30.5 too";
    EXPECT_EQ(design.lblConfirmedBMPXY, "(34, 30)");
    EXPECT_EQ(design.edtBMPX, "");
}

} // namespace
