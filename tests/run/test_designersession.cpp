#include "run/designersession.h"

#include <gtest/gtest.h>

#include "picturefolder.h"
#include "recordinghost.h"

using namespace dw::design;
using dw::run::DesignerSession;
using dw::testing::PictureFolder;
using dw::testing::RecordedMessage;
using dw::testing::RecordingHost;

namespace {

class DesignerSessionTest : public ::testing::Test {
protected:
    void SetUp() override { session.setIniDirectory(folder.path()); }

    RecordingHost host;
    PictureFolder folder;
    DesignerSession session{host};
};

TEST_F(DesignerSessionTest, opensWithTheStartDesignConfirmedAndNoPictures) {
    EXPECT_EQ(session.design().Label1, "(160, 90)");
    EXPECT_EQ(session.design().txtLeft, "160");
    EXPECT_EQ(session.design().txtTop, "90");
    EXPECT_EQ(session.geometry().tables().innerCircle.at(0), QPoint(160, 100));
    for (int i = 0; i < kPictureSlotCount; ++i) {
        EXPECT_FALSE(session.isBMPobject(static_cast<PictureSlot>(i)));
    }
    EXPECT_FALSE(session.runState().running);
    EXPECT_TRUE(session.runState().idle);
    EXPECT_FALSE(session.runState().saving);
    EXPECT_TRUE(host.messages.empty());
}

using Operation = void (DesignerSession::*)();

struct SlotOperations {
    const char* name;
    PictureSlot slot;
    Operation load, view, unload;
};

class MenuOperations : public DesignerSessionTest,
                       public ::testing::WithParamInterface<SlotOperations> {};

TEST_P(MenuOperations, loadViewAndUnloadTheirOwnSlot) {
    const SlotOperations& ops = GetParam();
    host.openAnswers.push_back(folder.writePicture("pic.bmp", 6, 4));
    (session.*ops.load)();
    const auto window = session.pictures().window(ops.slot);
    ASSERT_TRUE(window);
    for (int i = 0; i < kPictureSlotCount; ++i) {
        const auto other = static_cast<PictureSlot>(i);
        EXPECT_EQ(session.isBMPobject(other), other == ops.slot) << slotCaption(other);
    }
    EXPECT_FALSE(session.pictures().fileName(ops.slot).empty());
    EXPECT_EQ(window->caption(), slotCaption(ops.slot));

    window->requestClose();
    (session.*ops.view)();
    EXPECT_TRUE(window->isVisible());

    (session.*ops.unload)();
    EXPECT_FALSE(session.isBMPobject(ops.slot));
    EXPECT_EQ(session.pictures().fileName(ops.slot), "");
}

INSTANTIATE_TEST_SUITE_P(
    DesignerSession, MenuOperations,
    ::testing::Values(SlotOperations{"main", PictureSlot::Main, &DesignerSession::load_background,
                                     &DesignerSession::view_background,
                                     &DesignerSession::unload_background},
                      SlotOperations{"eraseBackground", PictureSlot::EraseBackground,
                                     &DesignerSession::loadEraseBK, &DesignerSession::viewEraseBK,
                                     &DesignerSession::unloadEraseBK},
                      SlotOperations{"hour", PictureSlot::Hour, &DesignerSession::LD_HBMP,
                                     &DesignerSession::V_HBMP, &DesignerSession::U_HBMP},
                      SlotOperations{"minute", PictureSlot::Minute, &DesignerSession::LD_MBMP,
                                     &DesignerSession::V_MBMP, &DesignerSession::U_MBMP},
                      SlotOperations{"second", PictureSlot::Second, &DesignerSession::LD_SBMP,
                                     &DesignerSession::V_SBMP, &DesignerSession::U_SBMP},
                      SlotOperations{"top", PictureSlot::Top, &DesignerSession::LD_TBMP,
                                     &DesignerSession::V_TBMP, &DesignerSession::U_TBMP},
                      SlotOperations{"test", PictureSlot::Test, &DesignerSession::LD_TESTBMP,
                                     &DesignerSession::V_TESTBMP, &DesignerSession::U_TESTBMP}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesignerSessionTest, plotCentreReadsTheSavingFlagOfTheRunState) {
    host.openAnswers.push_back(folder.writePicture("face.bmp", 40, 40));
    session.load_background();
    session.runState().saving = true;
    session.plotCentre();
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"Save in progress"});
    session.runState().saving = false;
    session.plotCentre();
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{"Save in progress", "Step 6", "Step 1"}));
}

TEST_F(DesignerSessionTest, guardedCommandShowsARunTimeErrorInsteadOfThrowing) {
    session.design().txtLeft = "99999";
    EXPECT_FALSE(session.guarded([this] { session.cmdSet_Click(); }));
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{"Overflow", MessageIcon::Information}}));
    EXPECT_EQ(session.design().centrex, 160);
    session.design().txtLeft = "12";
    EXPECT_TRUE(session.guarded([this] { session.cmdSet_Click(); }));
    EXPECT_EQ(session.design().centrex, 12);
}

} // namespace
