#include <gtest/gtest.h>

#include <sstream>

#include "design/advancedsettings.h"
#include "recordinghost.h"
#include "run/designersession.h"
#include "slotpictures.h"

using namespace dw::design;
using dw::render::MouseButton;
using dw::run::DesignerSession;
using dw::testing::pixelAt;

namespace {

constexpr QRgb kGrey = 0xFF808080;
constexpr QRgb kGreen = 0x00FF00; // the tool colour as pixelAt reads it

class ToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QImage picture = dw::testing::filledImage(40, 30, kGrey);
        picture.setPixel(5, 6, 0xFFFF0000);
        test = &dw::testing::loadIntoSlot(session.pictures(), folder, PictureSlot::Test, picture,
                                          "test.bmp");
        d().ctr = "0";
        d().ctb = "0";
        session.chkCirc_Click();
    }
    ClockDesign& d() { return session.design(); }
    void down(double x, double y, MouseButton b = MouseButton::Left) {
        session.pictureMouseDown(PictureSlot::Test, b, x, y);
    }
    void move(double x, double y, bool held = false) {
        session.pictureMouseMove(PictureSlot::Test, held, x, y);
    }
    void up(double x) { session.pictureMouseUp(PictureSlot::Test, x); }
    bool marked(int x, int y) const { return pixelAt(test->Picture1(), x, y) == kGreen; }
    bool clean() const { return test->Picture1().toImage() == test->Picture1b().toImage(); }

    dw::testing::RecordingHost host;
    dw::testing::PictureFolder folder;
    DesignerSession session{host};
    PictureWindowModel* test = nullptr;
};

TEST_F(ToolsTest, pointerPositionFollowsAlsoDuringARunWhileClicksAreIgnored) {
    move(12, 7);
    move(2.5, -3);
    session.runState().running = true;
    move(30, 20);
    down(5, 6);
    d().circ = 1;
    down(20, 15);
    EXPECT_EQ(host.statusOf("STA_POS"),
              (std::vector<std::string>{"(12, 7)", "(2.5, -3)", "(30, 20)"}));
    EXPECT_EQ(d().lblColour, "") << "no colour picked";
    EXPECT_FALSE(test->circleTool().centreSet);
}

TEST_F(ToolsTest, clickWithoutAToolPicksThePixelAndOffThePictureReadsInvalid) {
    down(5, 6);
    EXPECT_EQ(std::vector<int>({d().pointred, d().pointgreen, d().pointblue}),
              std::vector<int>({255, 0, 0}));
    EXPECT_EQ(d().lblColour, "0xFF -> (255,0,0)");
    EXPECT_EQ(session.pointerColourText(PictureSlot::Test, 5, 6), "0x0000FF (255, 0, 0)");
    down(-1, 3);
    EXPECT_EQ(d().lblColour, "0xFFFFFFFF -> (255,255,255)");
    EXPECT_EQ(session.pointerColourText(PictureSlot::Test, 40, 0), "");
    EXPECT_EQ(session.pointerColourText(PictureSlot::Test, 1e12, 0), "");
}

TEST_F(ToolsTest, circlePlacedDraggedFixedMovedAndConfirmed) {
    d().circ = 1;
    down(20, 15);
    EXPECT_TRUE(marked(24, 15));
    move(26, 15, true);
    EXPECT_FALSE(marked(24, 15));
    EXPECT_TRUE(marked(26, 15));
    up(26);
    EXPECT_EQ(test->circleTool().radius, 6);
    move(30, 20);
    EXPECT_FALSE(marked(26, 15));
    EXPECT_TRUE(marked(36, 20));
    down(30, 20);
    EXPECT_EQ(std::vector<std::string>({d().txtLeft, d().txtTop, d().radius, d().Label1}),
              std::vector<std::string>({"30", "20", "6", "(30, 20)"}));
    EXPECT_EQ(d().centrex, 30);
    EXPECT_TRUE(marked(36, 20)) << "the confirmed circle stays";
    EXPECT_EQ(pixelAt(test->Picture1b(), 36, 20), kGrey & 0xFFFFFF);
    EXPECT_FALSE(test->circleTool().centreSet);
}

// Scripts of circle events: "D x,y" press, "R x,y" right press, "M x,y" move, "H x,y" move with
// the button held, "U x" release, "off"/"on" untick or tick chkCirc, "hide" closes the window.
struct CircleCase {
    const char* name;
    const char* script;
    const char* radiusWritten; // the radius box afterwards; "64" when nothing was confirmed
    bool cleanAfter;
};

class CircleScripts : public ToolsTest, public ::testing::WithParamInterface<CircleCase> {};

TEST_P(CircleScripts, endAsTheToolPrescribes) {
    d().circ = 1;
    std::istringstream script(GetParam().script);
    for (std::string op; script >> op;) {
        double x = 0, y = 0;
        char comma = 0;
        if (op == "off" || op == "on") {
            d().circ = op == "on";
        } else if (op == "hide") {
            test->requestClose();
        } else if (op == "U") {
            script >> x;
            up(x);
        } else {
            script >> x >> comma >> y;
            op == "D"   ? down(x, y)
            : op == "R" ? down(x, y, MouseButton::Right)
                        : move(x, y, op == "H");
        }
    }
    EXPECT_EQ(d().radius, GetParam().radiusWritten);
    EXPECT_EQ(clean(), GetParam().cleanAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, CircleScripts,
    ::testing::Values(
        CircleCase{"pressAndReleaseInPlace", "D 20,15 U 20 D 20,15", "0", false},
        CircleCase{"dragLeftOfTheCentre", "D 20,15 H 12,15 U 12 D 20,15", "-8", true},
        CircleCase{"rightClickCancels", "D 20,15 U 26 M 30,20 R 30,20", "64", true},
        CircleCase{"cancelThenNewCentre", "D 9,9 U 9 R 9,9 D 20,15 U 23 D 20,15", "3", false},
        CircleCase{"pressWhilePlacingIgnored", "D 20,15 D 30,25 U 26 M 20,15 D 20,15", "6", false},
        CircleCase{"survivesUntickAndHide", "D 20,15 off D 5,6 hide on U 25 D 2,2", "5", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ToolsTest, rectangleFramesTheHourBitmapAndWritesUnconfirmedTopLeft) {
    d().rect = 1;
    move(4, 5);
    down(4, 5);
    EXPECT_TRUE(clean()) << "no hour bitmap: nothing drawn";
    EXPECT_EQ(d().edtBMPX, "");
    dw::testing::loadIntoSlot(session.pictures(), folder, PictureSlot::Hour,
                              dw::testing::filledImage(10, 6, kGrey), "hour.bmp");
    move(1, 1);
    move(4, 5);
    for (const auto& [x, y] : {std::pair{4, 5}, {14, 11}, {9, 7}, {12, 8}, {14, 5}}) {
        EXPECT_TRUE(marked(x, y)) << x << "," << y;
    }
    EXPECT_FALSE(marked(6, 6));
    EXPECT_FALSE(marked(1, 1)) << "the last rectangle is wiped";
    down(4, 5, MouseButton::Right);
    EXPECT_EQ(std::pair(d().edtBMPX, d().edtBMPY), std::pair(std::string("4"), std::string("5")));
    EXPECT_EQ(d().bmptopx, 0);
    d().circ = 1;
    down(30, 20);
    EXPECT_EQ(d().edtBMPX, "4") << "the circle tool wins";
    EXPECT_TRUE(test->circleTool().centreSet);
}

TEST_F(ToolsTest, rectangleInDigitalModeFramesTheMeasuredReadOutAndConfirmsIt) {
    auto& main = dw::testing::loadIntoSlot(session.pictures(), folder, PictureSlot::Main,
                                           dw::testing::filledImage(160, 60, kGrey), "face.bmp");
    session.showMainPicture();
    otherDefaults(d());
    d().chkDigital = 1;
    d().rect = 1;
    session.chkRect_Click();
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"No font specified"});
    session.pictureMouseMove(PictureSlot::Main, false, 3, 4);
    EXPECT_EQ(host.messages.size(), 1u) << "tracking does not repeat the refusal";

    d().strFont = "DejaVu Sans";
    d().nFSize = 12;
    session.chkRect_Click();
    ASSERT_GT(session.testwid(), 0);
    session.pictureMouseMove(PictureSlot::Main, false, 3, 4);
    EXPECT_EQ(pixelAt(main.Picture1(), 3 + session.testwid(), 4 + session.testhei()), kGreen);
    session.pictureMouseDown(PictureSlot::Main, MouseButton::Left, 3, 4);
    EXPECT_EQ(d().nDigitalLeft, 3);
    EXPECT_EQ(d().nDigitalTop, 4);
    EXPECT_EQ(d().advancedLblConfirmedXY, "(3, 4)");
}

TEST_F(ToolsTest, positionsFarOffThePictureDrawOnlyWhatFallsOnIt) {
    dw::testing::loadIntoSlot(session.pictures(), folder, PictureSlot::Hour,
                              dw::testing::filledImage(10, 6, kGrey), "hour.bmp");
    d().rect = 1;
    move(-5, -5);
    EXPECT_TRUE(marked(5, 0));
    move(1e12, -1e12);
    EXPECT_TRUE(clean());
    d().circ = 1;
    down(1e9, 3);
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"Overflow"});
    EXPECT_FALSE(test->circleTool().centreSet);
    down(2, 2);
    move(1e9, 2, true);
    move(-1e9, -1e9, true);
    up(38);
    move(-30, -30);
    EXPECT_TRUE(clean()) << "a circle of radius 36 about (-30, -30) misses the picture";
    move(39.5, 29.5);
    EXPECT_TRUE(marked(39, 29 - 36) || marked(40 - 37, 29)) << "partly on the picture";
}

TEST_F(ToolsTest, unloadingTheSlotDuringADragEndsIt) {
    d().circ = 1;
    down(20, 15);
    const auto old = session.pictures().window(PictureSlot::Test);
    const QImage before = old->Picture1().toImage();
    session.U_TESTBMP();
    move(26, 15, true);
    up(26);
    EXPECT_EQ(old->Picture1().toImage(), before);
    test = &dw::testing::loadIntoSlot(session.pictures(), folder, PictureSlot::Test,
                                      dw::testing::filledImage(40, 30, kGrey), "again.bmp");
    move(26, 15, true);
    up(26);
    EXPECT_TRUE(clean());
    EXPECT_FALSE(test->circleTool().centreSet);
}

TEST_F(ToolsTest, eraseBoxWritesItsPresetsUnlessAnExportSaves) {
    const auto boxes = [this] {
        return std::vector{d().times, d().radius, d().innerradius, d().sw,
                           d().sred,  d().sgreen, d().sblue};
    };
    d().erase = 1;
    session.chkErase_Click();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"0", "85", "60", "10", "29", "7", "141"}));
    d().erase = 0;
    session.runState().saving = true;
    session.chkErase_Click();
    EXPECT_EQ(d().radius, "85") << "an export keeps the design it started with";
    session.runState().saving = false;
    session.chkErase_Click();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"30", "64", "10", "2", "255", "255", "255"}));
}

TEST_F(ToolsTest, toolColourIsMadeOfTheThreeBoxesHeldToAByte) {
    struct Row {
        const char *name, *red, *green, *blue;
        std::int32_t colour;
    };
    for (const Row& row : {Row{"plain", "0", "128", "255", 0xFF8000},
                           Row{"halvesToEven", "12.5", "13.5", "0", 0x000E0C},
                           Row{"outOfByteRange", "300", "-4", "255.5", 0xFF00FF}}) {
        d().ctr = row.red;
        d().ctg = row.green;
        d().ctb = row.blue;
        session.chkRect_Click();
        EXPECT_EQ(session.rgbCircTool(), row.colour) << row.name;
    }
    d().ctg = "40000";
    EXPECT_THROW(session.updateCircToolColour(), RuntimeError);
    EXPECT_EQ(session.rgbCircTool(), 0xFF00FF) << "past 16 bits the colour stays";
}

} // namespace
