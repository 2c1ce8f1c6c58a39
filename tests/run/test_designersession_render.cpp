// The session's render window and its two previews.
#include <gtest/gtest.h>

#include "recordinghost.h"
#include "render/preview.h"
#include "run/designersession.h"
#include "slotpictures.h"

using namespace dw::design;
using namespace dw::testing;
using dw::run::DesignerSession;

namespace {

constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGrey = 0xFF808080;
constexpr QRgb kHole = 0xFF030201; // red 3, green 2, blue 1

class SessionRenderTest : public ::testing::Test {
protected:
    void SetUp() override { session.setIniDirectory(folder.path()); }

    void load(PictureSlot slot, const QImage& image, const std::string& name) {
        loadIntoSlot(session.pictures(), folder, slot, image, name);
    }

    // A 30 x 30 blue background and a 10 x 10 grey face with a 2 x 2 hole of the erase
    // transparent colour at (4, 4), to be laid at (5, 7).
    void loadErasePictures() {
        load(PictureSlot::EraseBackground, filledImage(30, 30, kBlue), "bg.bmp");
        load(PictureSlot::Main, withRect(filledImage(10, 10, kGrey), 4, 4, 2, 2, kHole), "f.bmp");
        session.design().transr = "3";
        session.design().transg = "2";
        session.design().transb = "1";
        session.design().eraseTopLeftX = 5;
        session.design().eraseTopLeftY = 7;
    }

    // Upright bars from the centre of 40 x 40 pictures: hour red to row 10, minute green to
    // row 6, second yellow to row 3; the top bitmap is all transparent.
    void loadBitmapPictures() {
        load(PictureSlot::Main, filledImage(40, 40, kGrey), "face.bmp");
        const QImage clear = filledImage(40, 40, kMagenta);
        load(PictureSlot::Hour, withRect(clear, 19, 10, 3, 11, 0xFFFF0000), "h.bmp");
        load(PictureSlot::Minute, withRect(clear, 19, 6, 3, 15, 0xFF00FF00), "m.bmp");
        load(PictureSlot::Second, withRect(clear, 19, 3, 3, 18, 0xFFFFFF00), "s.bmp");
        load(PictureSlot::Top, clear, "t.bmp");
        session.design().bmptransr = "255";
        session.design().bmptransg = "0";
        session.design().bmptransb = "255";
    }

    Picture& shown() { return session.renderWindow().Picture1(); }

    RecordingHost host;
    PictureFolder folder;
    DesignerSession session{host};
};

TEST_F(SessionRenderTest, erasePreviewNeedsABackground) {
    session.cmdPreview();
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{
                                 {dw::render::kNoBackgroundPicture, MessageIcon::Critical}}));
    EXPECT_FALSE(session.renderWindow().isVisible());
}

TEST_F(SessionRenderTest, erasePreviewLaysTheFaceOnTheBackgroundAtTheConfirmedTopLeft) {
    loadErasePictures();
    session.cmdPreview();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(session.renderWindow().isVisible());
    EXPECT_EQ(shown().width(), 30);
    EXPECT_EQ(pixelAt(shown(), 5, 7), kGrey & 0xFFFFFF);
    EXPECT_EQ(pixelAt(shown(), 14, 16), kGrey & 0xFFFFFF);
    EXPECT_EQ(pixelAt(shown(), 9, 11), kBlue & 0xFFFFFF) << "the hole shows the background";
    EXPECT_EQ(pixelAt(shown(), 4, 7), kBlue & 0xFFFFFF);
    EXPECT_EQ(pixelAt(shown(), 15, 17), kBlue & 0xFFFFFF);
    EXPECT_EQ(pixelAt(session.pictures().window(PictureSlot::EraseBackground)->Picture1(), 5, 7),
              kBlue & 0xFFFFFF)
        << "the slot's picture stays as it was";

    // A colour the face does not hold: the face covers its whole rectangle.
    session.design().transb = "2";
    session.cmdPreview();
    EXPECT_EQ(pixelAt(shown(), 9, 11), kHole & 0xFFFFFF);
}

TEST_F(SessionRenderTest, erasePreviewWithoutAMainPictureShowsTheBackgroundAlone) {
    loadErasePictures();
    session.unload_background();
    session.cmdPreview();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(session.renderWindow().isVisible());
    EXPECT_EQ(pixelAt(shown(), 5, 7), kBlue & 0xFFFFFF);
}

TEST_F(SessionRenderTest, previewsShowRunTimeErrorsInsteadOfFailing) {
    loadErasePictures();
    session.design().transg = "green";
    session.cmdPreview();
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{kTypeMismatch, MessageIcon::Information}}));

    host.messages.clear();
    loadBitmapPictures();
    session.unload_background();
    session.cmdPreviewBMP();
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{kObjectVariableNotSet, MessageIcon::Information}}));
}

TEST_F(SessionRenderTest, bitmapPreviewNeedsEveryBitmap) {
    loadBitmapPictures();
    session.U_MBMP();
    session.cmdPreviewBMP();
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{
                                 {"Minute bitmap has not been loaded", MessageIcon::Critical}}));
}

TEST_F(SessionRenderTest, bitmapPreviewTurnsTheHandsToFixedAnglesSecondOnTop) {
    loadBitmapPictures();
    session.design().timeh = "4"; // the preview does not look at the time
    session.cmdPreviewBMP();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(pixelAt(shown(), 12, 20), 0xFF0000u) << "hour a quarter turn anticlockwise";
    EXPECT_EQ(pixelAt(shown(), 20, 8), 0x00FF00u) << "minute upright";
    EXPECT_EQ(pixelAt(shown(), 12, 28), 0xFFFF00u) << "second three eighths of a turn";
    EXPECT_EQ(pixelAt(shown(), 20, 19), 0xFFFF00u) << "laid last, the second lies on top";
    EXPECT_EQ(pixelAt(shown(), 30, 30), kGrey & 0xFFFFFF);
    EXPECT_EQ(session.bitmapHands().cachedHourAngle(), dw::render::kNoAngle)
        << "a run in progress turns its hands again";
}

TEST_F(SessionRenderTest, previewsWaitForAnExportToFinish) {
    loadErasePictures();
    session.runState().saving = true;
    session.cmdPreview();
    session.cmdPreviewBMP();
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{"Save in progress", "Save in progress"}));
    EXPECT_FALSE(session.renderWindow().isVisible());
}

TEST_F(SessionRenderTest, aDesignLoadLetsTheRenderWindowGoUnlessARunShowsFramesThere) {
    const std::string file = folder.write("d.ini", "[clock]\r\nversion=0.9\r\n");
    dw::render::RenderWindowModel* busy = &session.renderWindow();
    busy->bSaving = true;
    EXPECT_EQ(session.loadIniFile(file), FileFlowResult::Done);
    EXPECT_EQ(session.renderWindowHolder().current(), busy);
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string>{dw::render::kCannotExit}));

    busy->bSaving = false;
    EXPECT_EQ(session.loadIniFile(file), FileFlowResult::Done);
    EXPECT_EQ(session.renderWindowHolder().current(), nullptr);
}

} // namespace
