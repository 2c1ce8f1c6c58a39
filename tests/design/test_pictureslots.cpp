#include "design/pictureslots.h"

#include <gtest/gtest.h>

#include "design/clockdesign.h"
#include "design/picturefile.h"
#include "design/picturepaths.h"
#include "design/runtimeerror.h"
#include "picturefolder.h"
#include "recordinghost.h"

using namespace dw::design;
using dw::testing::PictureFolder;
using dw::testing::RecordedMessage;
using dw::testing::RecordingHost;

namespace {

class PictureSlotsTest : public ::testing::Test {
protected:
    // Loads a picture of the given size into a slot through the menu and its dialog.
    void loadThroughDialog(PictureSlot slot, const std::string& name, int width = 8,
                           int height = 6) {
        host.openAnswers.push_back(folder.writePicture(name, width, height));
        pictures.load(slot);
    }

    std::vector<std::string> unloadedWindows() const {
        std::vector<std::string> names;
        for (const auto& [name, event] : host.windowEvents) {
            if (event == WindowEvent::Unloaded) {
                names.push_back(name);
            }
        }
        return names;
    }

    RecordingHost host;
    ClockDesign design;
    PictureFolder folder;
    std::string iniDirectory = folder.path();
    PictureSlots pictures{host, design, iniDirectory};
};

TEST_F(PictureSlotsTest, loadingAnOccupiedSlotAgainKeepsTheFirstPictureSilently) {
    loadThroughDialog(PictureSlot::Hour, "first.bmp", 4, 4);
    const auto first = pictures.window(PictureSlot::Hour);
    ASSERT_TRUE(first);
    EXPECT_EQ(design.hourbitmap, "first.bmp");
    EXPECT_EQ(first->caption(), "Hour bitmap");
    EXPECT_TRUE(first->isVisible());

    loadThroughDialog(PictureSlot::Hour, "second.bmp", 9, 9);
    EXPECT_EQ(pictures.window(PictureSlot::Hour), first);
    EXPECT_EQ(first->scaleWidth(), 4);
    EXPECT_EQ(design.hourbitmap, "first.bmp");
    EXPECT_EQ(host.dialogFilters.size(), 1u) << "no dialog for an occupied slot";
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PictureSlotsTest, unloadingAnEmptySlotOnlyClearsItsName) {
    design.minutebitmap = "left-over.bmp";
    pictures.unload(PictureSlot::Minute);
    EXPECT_EQ(design.minutebitmap, "");
    EXPECT_TRUE(host.windowEvents.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PictureSlotsTest, givenNamesShorterThanTwoCharactersLoadNothing) {
    folder.writePicture("a", 3, 3);
    folder.writePicture("ab", 3, 2);
    EXPECT_EQ(pictures.loadPictureSlot(PictureSlot::Top, "Top bitmap", true, "a"), "");
    EXPECT_EQ(pictures.loadPictureSlot(PictureSlot::Top, "Top bitmap", true, ""), "");
    EXPECT_FALSE(pictures.isBMPobject(PictureSlot::Top));
    EXPECT_TRUE(host.windowEvents.empty());

    EXPECT_EQ(pictures.loadPictureSlot(PictureSlot::Top, "Top bitmap", true, "ab"), "ab");
    ASSERT_TRUE(pictures.isBMPobject(PictureSlot::Top));
    EXPECT_EQ(pictures.window(PictureSlot::Top)->scaleHeight(), 2)
        << "a bare name is looked up in the design directory";
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PictureSlotsTest, missingPictureLeavesAnEmptyShownWindowAndKeepsTheName) {
    EXPECT_EQ(
        pictures.loadPictureSlot(PictureSlot::Main, "Main background bitmap", true, "gone.bmp"),
        "gone.bmp");
    const auto window = pictures.window(PictureSlot::Main);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->Picture1().isEmpty());
    EXPECT_TRUE(window->Picture1b().isEmpty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{kFileNotFound, MessageIcon::Information}}));

    host.openAnswers.push_back(folder.path() + "also-gone.bmp");
    pictures.load(PictureSlot::Second);
    EXPECT_EQ(design.secondbitmap, "also-gone.bmp");
    EXPECT_TRUE(pictures.isBMPobject(PictureSlot::Second));
}

TEST_F(PictureSlotsTest, dialogLoadsNeedTheDesignDirectoryButTheTestSlotDoesNot) {
    iniDirectory.clear();
    pictures.load(PictureSlot::Hour);
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{kMustSaveIniFirst});
    EXPECT_TRUE(host.dialogFilters.empty());

    PictureFolder elsewhere;
    const std::string outside = elsewhere.writePicture("test.bmp", 5, 5);
    host.openAnswers.push_back(outside);
    pictures.load(PictureSlot::Test);
    EXPECT_EQ(pictures.fileName(PictureSlot::Test), outside);
    EXPECT_TRUE(pictures.isBMPobject(PictureSlot::Test));
    EXPECT_EQ(host.dialogFilters.back(), kBitmapFilter);

    iniDirectory = folder.path();
    host.messages.clear();
    host.openAnswers.push_back(outside);
    pictures.load(PictureSlot::Hour);
    pictures.load(PictureSlot::Minute); // cancelled
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>(2, kPictureNotInIniDirectory));
    EXPECT_FALSE(pictures.isBMPobject(PictureSlot::Hour));
    EXPECT_FALSE(pictures.isBMPobject(PictureSlot::Minute));
    EXPECT_EQ(host.dialogDirectories.back(), folder.path());
}

TEST_F(PictureSlotsTest, closeButtonOnlyHidesUntilTheSlotLetsTheWindowGo) {
    loadThroughDialog(PictureSlot::Hour, "hour.bmp");
    const auto window = pictures.window(PictureSlot::Hour);
    EXPECT_FALSE(window->requestClose());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(pictures.window(PictureSlot::Hour), window);
    EXPECT_EQ(host.windowEvents.back(),
              std::make_pair(std::string("Hour bitmap"), WindowEvent::Hidden));

    pictures.view(PictureSlot::Hour);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(host.windowEvents.back().second, WindowEvent::Shown);

    pictures.unload(PictureSlot::Hour);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->allowClose());
    EXPECT_TRUE(window->requestClose());
    EXPECT_EQ(unloadedWindows(), std::vector<std::string>{"Hour bitmap"});
}

TEST_F(PictureSlotsTest, viewingTheMainPictureWipesMarksOtherViewsKeepThem) {
    loadThroughDialog(PictureSlot::Main, "face.bmp");
    loadThroughDialog(PictureSlot::Top, "top.bmp");
    const auto main = pictures.window(PictureSlot::Main);
    const auto top = pictures.window(PictureSlot::Top);
    dw::platform::SetPixel(main->Picture1().handle(), 1, 1, 0x0000FF);
    dw::platform::SetPixel(top->Picture1().handle(), 1, 1, 0x0000FF);
    top->requestClose();

    pictures.view(PictureSlot::Main);
    pictures.view(PictureSlot::Top);
    EXPECT_EQ(dw::platform::GetPixel(main->Picture1().handle(), 1, 1), 0x808080u);
    EXPECT_EQ(dw::platform::GetPixel(top->Picture1().handle(), 1, 1), 0x0000FFu);
    EXPECT_EQ(dw::platform::GetPixel(top->Picture1b().handle(), 1, 1), 0x808080u)
        << "drawing never reaches the clean copy";
}

TEST_F(PictureSlotsTest, unloadingTheMainPictureEmptiesPicture2) {
    loadThroughDialog(PictureSlot::Main, "face.bmp", 10, 7);
    EXPECT_EQ(design.image, "face.bmp");
    EXPECT_EQ(pictures.Picture2().width(), 10);
    EXPECT_EQ(pictures.Picture2().height(), 7);

    pictures.unload(PictureSlot::Main);
    EXPECT_TRUE(pictures.Picture2().isEmpty());
    EXPECT_EQ(design.image, "");
    EXPECT_FALSE(pictures.quickReloadBackground());
    EXPECT_EQ(host.windowEvents.back(),
              std::make_pair(std::string(kDesignWindow), WindowEvent::PictureChanged));
}

TEST_F(PictureSlotsTest, eraseBackgroundMustBeAtLeastAsLargeAsTheFace) {
    EXPECT_TRUE(pictures.eraseBackgroundFits()) << "nothing loaded";
    loadThroughDialog(PictureSlot::Main, "face.bmp", 20, 10);
    EXPECT_TRUE(pictures.eraseBackgroundFits()) << "no background";

    struct Size {
        int width, height;
        bool fits;
    };
    for (const Size size :
         {Size{20, 10, true}, Size{19, 10, false}, Size{20, 9, false}, Size{30, 30, true}}) {
        host.messages.clear();
        pictures.unload(PictureSlot::EraseBackground);
        loadThroughDialog(PictureSlot::EraseBackground, "bg.bmp", size.width, size.height);
        EXPECT_EQ(pictures.eraseBackgroundFits(), size.fits) << size.width << "x" << size.height;
        const auto expected =
            size.fits ? std::vector<RecordedMessage>{}
                      : std::vector<RecordedMessage>{
                            {"Cannot load an erase background smaller than the foreground in "
                             "this version",
                             MessageIcon::Critical}};
        EXPECT_EQ(host.messages, expected);
    }
}

TEST_F(PictureSlotsTest, unloadAllPicturesGoesInItsFixedOrder) {
    const PictureSlot all[] = {PictureSlot::Main,   PictureSlot::EraseBackground, PictureSlot::Hour,
                               PictureSlot::Minute, PictureSlot::Second,          PictureSlot::Top};
    for (PictureSlot slot : all) {
        loadThroughDialog(slot, std::string(slotCaption(slot)) + ".bmp");
    }
    host.openAnswers.push_back(folder.writePicture("test.bmp", 2, 2));
    pictures.load(PictureSlot::Test);

    pictures.unloadAllPictures();
    EXPECT_EQ(unloadedWindows(),
              (std::vector<std::string>{"Hour bitmap", "Minute bitmap", "Second bitmap",
                                        "Top bitmap", "Test", "Erase mode background bitmap",
                                        "Main background bitmap"}));
    for (PictureSlot slot : all) {
        EXPECT_FALSE(pictures.isBMPobject(slot));
        EXPECT_EQ(pictures.fileName(slot), "");
    }
    EXPECT_EQ(pictures.fileName(PictureSlot::Test), "");
}

TEST_F(PictureSlotsTest, checkBitmapsLoadedNamesTheFirstMissingHandBitmap) {
    EXPECT_FALSE(pictures.checkBitmapsLoaded());
    loadThroughDialog(PictureSlot::Second, "s.bmp");
    loadThroughDialog(PictureSlot::Hour, "h.bmp");
    EXPECT_FALSE(pictures.checkBitmapsLoaded());
    loadThroughDialog(PictureSlot::Minute, "m.bmp");
    EXPECT_FALSE(pictures.checkBitmapsLoaded());
    loadThroughDialog(PictureSlot::Top, "t.bmp");
    EXPECT_TRUE(pictures.checkBitmapsLoaded());
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{
                                 {"Hour bitmap has not been loaded", MessageIcon::Critical},
                                 {"Minute bitmap has not been loaded", MessageIcon::Critical},
                                 {"Top bitmap has not been loaded", MessageIcon::Critical}}));
}

TEST_F(PictureSlotsTest, aWindowReplacedInItsSlotIsLetGo) {
    folder.writePicture("one.bmp", 3, 3);
    folder.writePicture("two.bmp", 5, 5);
    pictures.loadPictureSlot(PictureSlot::Top, "Top bitmap", true, "one.bmp");
    const auto old = pictures.window(PictureSlot::Top);
    pictures.loadPictureSlot(PictureSlot::Top, "Top bitmap", true, "two.bmp");
    EXPECT_NE(pictures.window(PictureSlot::Top), old);
    EXPECT_TRUE(old->allowClose());
    EXPECT_FALSE(old->isVisible());
    EXPECT_EQ(unloadedWindows(), std::vector<std::string>{"Top bitmap"});
}

TEST_F(PictureSlotsTest, aHeldWindowOutlivesItsSlotAndTheHolderNotices) {
    loadThroughDialog(PictureSlot::Main, "face.bmp", 12, 8);
    const HeldPictureWindow held(pictures, PictureSlot::Main);
    ASSERT_TRUE(held);
    EXPECT_TRUE(held.stillInSlot());
    EXPECT_NO_THROW(held.check());

    pictures.unload(PictureSlot::Main);
    EXPECT_FALSE(held.stillInSlot());
    EXPECT_EQ(held->scaleWidth(), 12) << "the window stays whole while held";
    EXPECT_EQ(dw::platform::GetPixel(held->Picture1().handle(), 11, 7), 0x808080u);
    try {
        held.check();
        FAIL() << "check passed for a window no longer in its slot";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.description(), kObjectVariableNotSet);
    }

    loadThroughDialog(PictureSlot::Main, "face.bmp", 12, 8);
    EXPECT_FALSE(held.stillInSlot()) << "a new window in the slot is not the one held";
    EXPECT_THROW(HeldPictureWindow(pictures, PictureSlot::Hour).check(), RuntimeError);
}

} // namespace
