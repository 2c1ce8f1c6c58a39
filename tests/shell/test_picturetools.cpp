// The mouse over a picture window, sent as real events to Picture1, at natural size and zoomed:
// the position and colour read-outs, the colour pick, the two positioners, the run lock, and
// the zoom itself.
#include <sstream>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPaintEvent>
#include <QRegion>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

#include "design/advancedsettings.h"
#include "picturefolder.h"
#include "shell/picturewindow.h"
#include "shell/shellcontext.h"
#include "shell/zoomsteps.h"
#include "shellfixture.h"
#include "slotpictures.h"

namespace dw::testing {
namespace {

using design::PictureSlot;

constexpr QRgb kGrey = 0xFF808080;

// Every case runs at natural size and at 400 %, with the same picture-pixel results.
class PictureToolsTest : public ShellTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        QImage picture = filledImage(40, 30, kGrey);
        picture.setPixel(5, 6, 0xFFFF0000);
        load(PictureSlot::Test, picture, "test.bmp");
        // A green tool colour, typed as the user would.
        typeInto("ctr", "0");
        typeInto("ctb", "0");
    }

    void load(PictureSlot slot, const QImage& image, const char* name) {
        window().runCommand([&] { loadIntoSlot(session().pictures(), folder, slot, image, name); });
        settle();
        view(slot)->setZoom(GetParam());
    }
    shell::PictureWindow* view(PictureSlot slot = PictureSlot::Test) {
        return static_cast<shell::PictureWindow*>(window().pictureFrame(slot)->widget());
    }
    template <typename Widget> Widget* control(const char* name) {
        auto* widget = window().findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void typeInto(const char* box, const char* text) { control<QLineEdit>(box)->setText(text); }
    std::string boxText(const char* box) { return control<QLineEdit>(box)->text().toStdString(); }
    std::string panel(const char* name) {
        return window().statusBar()->findChild<QLabel*>(name)->text().toStdString();
    }

    // A point in the lower-right quarter of pixel (x, y) as shown now: at 100 % the pixel itself.
    QPoint at(int x, int y, PictureSlot slot) {
        const QRect pixel = shell::pixelRect(x, y, view(slot)->zoom());
        return pixel.topLeft() + QPoint(pixel.width() * 3 / 4, pixel.height() * 3 / 4);
    }
    void press(int x, int y, Qt::MouseButton b = Qt::LeftButton, PictureSlot s = PictureSlot::Test) {
        QTest::mousePress(view(s)->Picture1(), b, {}, at(x, y, s));
    }
    void release(int x, int y, Qt::MouseButton b = Qt::LeftButton, PictureSlot s = PictureSlot::Test) {
        QTest::mouseRelease(view(s)->Picture1(), b, {}, at(x, y, s));
    }
    void move(int x, int y, PictureSlot s = PictureSlot::Test) {
        QTest::mouseMove(view(s)->Picture1(), at(x, y, s));
    }
    bool marked(int x, int y) {
        return pixelAt(session().pictures().window(PictureSlot::Test)->Picture1(), x, y) == 0x00FF00;
    }
    bool clean() {
        const auto model = session().pictures().window(PictureSlot::Test);
        return model->Picture1().toImage() == model->Picture1b().toImage();
    }

    PictureFolder folder;
};

TEST_P(PictureToolsTest, readOutsFollowThePointerAndAClickPicksTheColour) {
    move(10, 7);
    EXPECT_EQ(panel("STA_POS"), "(10, 7)");
    move(5, 6);
    EXPECT_EQ(panel("STA_POS"), "(5, 6)");
    EXPECT_EQ(panel("STA_COLOUR"), "0x0000FF (255, 0, 0)");
    press(5, 6);
    release(5, 6);
    EXPECT_EQ(control<QLabel>("lblColour")->text().toStdString(), "0xFF -> (255,0,0)");
    EXPECT_EQ(session().design().pointred, 255);
    EXPECT_EQ(session().design().pointgreen, 0);
}

TEST_P(PictureToolsTest, duringARunOnlyThePositionFollows) {
    control<QCheckBox>("chkCirc")->click();
    session().runState().running = true;
    move(12, 7);
    press(20, 15);
    EXPECT_EQ(panel("STA_POS"), "(12, 7)");
    EXPECT_FALSE(session().pictures().window(PictureSlot::Test)->circleTool().centreSet);
    control<QCheckBox>("chkCirc")->click();
    press(5, 6);
    session().runState().running = false;
    EXPECT_NE(session().design().pointred, 255) << "no colour picked";
}

// "D x,y" left press, "U x,y" left release, "R x,y" right click, "M x,y" move (with the button
// held between D and U), "C x,y" the second press of a double click, "off"/"on" click chkCirc, "hide" closes the window and views it again.
struct CircleScript {
    const char* name;
    const char* script;
    const char* radius; // the radius box afterwards; "64" when nothing was confirmed
    bool cleanAfter;
};

class CircleScriptTest : public PictureToolsTest {
protected:
    void run(const char* text) {
        control<QCheckBox>("chkCirc")->click();
        std::istringstream script(text);
        for (std::string op; script >> op;) {
            if (op == "off" || op == "on") {
                control<QCheckBox>("chkCirc")->click();
                continue;
            }
            if (op == "hide") {
                window().pictureFrame(PictureSlot::Test)->close();
                window().runCommand([&] { session().V_TESTBMP(); });
                continue;
            }
            int x = 0, y = 0;
            char comma = 0;
            script >> x >> comma >> y;
            if (op == "D") {
                press(x, y);
            } else if (op == "U") {
                release(x, y);
            } else if (op == "C") {
                QTest::mouseDClick(view()->Picture1(), Qt::LeftButton, {},
                                   at(x, y, PictureSlot::Test));
            } else if (op == "R") {
                press(x, y, Qt::RightButton);
                release(x, y, Qt::RightButton);
            } else {
                move(x, y);
            }
        }
    }
};

const CircleScript kCircleScripts[] = {
    {"placeDragFixMoveConfirm", "D 20,15 M 26,15 U 26,15 M 30,20 D 30,20 U 30,20", "6", false},
    {"pressAndReleaseInPlace", "D 20,15 U 20,15 D 20,15 U 20,15", "0", false},
    {"doubleClickConfirmsInPlace", "D 20,15 U 20,15 C 20,15", "0", false},
    {"negativeRadiusDrawsNothing", "D 20,15 M 12,15 U 12,15 D 20,15 U 20,15", "-8", true},
    {"otherButtonCancels", "D 20,15 M 26,15 U 26,15 M 30,20 R 30,20", "64", true},
    {"survivesUntickAndHide", "D 20,15 off D 5,6 U 5,6 hide on M 25,15 U 25,15 D 2,2 U 2,2", "5",
     false},
};

TEST_P(CircleScriptTest, endsAsTheToolPrescribesAtEveryZoom) {
    for (const CircleScript& row : kCircleScripts) {
        session().design().radius = "64";
        run(row.script);
        EXPECT_EQ(boxText("radius"), row.radius) << row.name;
        EXPECT_EQ(clean(), row.cleanAfter) << row.name;
        EXPECT_FALSE(session().pictures().window(PictureSlot::Test)->circleTool().centreSet)
            << row.name << " ends idle";
        control<QCheckBox>("chkCirc")->click();
        session().pictures().window(PictureSlot::Test)->restore();
    }
    EXPECT_TRUE(host->messages.empty());
}

TEST_P(CircleScriptTest, confirmedCentreLandsInTheBoxesAndOnTheMarks) {
    run("D 20,15 M 26,15 U 26,15 M 30,20");
    EXPECT_TRUE(marked(36, 20));
    EXPECT_FALSE(marked(26, 15)) << "restored before each new circle";
    press(30, 20);
    EXPECT_EQ(boxText("txtLeft"), "30");
    EXPECT_EQ(boxText("txtTop"), "20");
    EXPECT_EQ(session().design().Label1, "(30, 20)") << "Set centre ran";
    EXPECT_TRUE(marked(36, 20)) << "the confirmed circle stays";
}

TEST_P(PictureToolsTest, rectangleFramesTheHourBitmapOrTheReadOut) {
    control<QCheckBox>("chkRect")->click();
    move(4, 5);
    press(4, 5);
    EXPECT_TRUE(clean()) << "no hour bitmap: nothing drawn";
    EXPECT_EQ(boxText("edtBMPX"), "");
    load(PictureSlot::Hour, filledImage(10, 6, kGrey), "hour.bmp");
    move(4, 5);
    EXPECT_TRUE(marked(14, 11));
    EXPECT_TRUE(marked(9, 5));
    press(4, 5, Qt::RightButton);
    EXPECT_EQ(boxText("edtBMPX"), "4");
    EXPECT_EQ(boxText("edtBMPY"), "5");

    load(PictureSlot::Main, filledImage(160, 60, kGrey), "face.bmp");
    window().runCommand([&] {
        design::otherDefaults(session().design());
        session().design().strFont = "DejaVu Sans";
        session().design().nFSize = 12;
    });
    control<QCheckBox>("chkDigital")->click();
    control<QCheckBox>("chkRect")->click(); // off
    control<QCheckBox>("chkRect")->click(); // on: measures the read-out
    ASSERT_GT(session().testwid(), 0);
    move(3, 4, PictureSlot::Main);
    press(3, 4, Qt::LeftButton, PictureSlot::Main);
    EXPECT_EQ(boxText("edtLeft"), "3");
    EXPECT_EQ(boxText("edtTop"), "4");
    EXPECT_EQ(session().design().nDigitalLeft, 3) << "setPos ran";
}

TEST_P(PictureToolsTest, eventsOffThePictureAndAnUnloadDuringADragAreHarmless) {
    load(PictureSlot::Hour, filledImage(10, 6, kGrey), "hour.bmp");
    control<QCheckBox>("chkRect")->click();
    move(-7, -3);
    move(45, 50);
    control<QCheckBox>("chkCirc")->click();
    press(-3, 2);
    move(-20, -20);
    release(60, 2);
    move(39, 29);
    EXPECT_EQ(session().pictures().window(PictureSlot::Test)->Picture1().width(), 40);

    press(-3, 2, Qt::RightButton); // cancelled
    press(20, 15);
    QPointer<QWidget> picture = view()->Picture1();
    window().runCommand([&] { session().U_TESTBMP(); });
    QTest::mouseMove(picture, QPoint(100, 60));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(100, 60));
    settle();
    EXPECT_TRUE(picture.isNull()) << "the window went with its slot";
    load(PictureSlot::Test, filledImage(40, 30, kGrey), "again.bmp");
    move(26, 15);
    EXPECT_TRUE(clean()) << "the new window's circle tool starts idle";
    EXPECT_TRUE(host->messages.empty());
}

// The region a view repaints for a change told as an area; what it covers must show the change
// at every zoom, also below 100 % where a pixel has no widget pixel of its own.
class PaintRegions : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted |= static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

TEST_P(PictureToolsTest, aChangeToldAsAnAreaRepaintsWhatShowsIt) {
    auto model = session().pictures().window(PictureSlot::Test);
    for (const int zoom : {25, 50, 100, 400}) {
        view()->setZoom(zoom);
        settle();
        PaintRegions regions;
        view()->Picture1()->installEventFilter(&regions);
        model->pictureChanged(QRect(21, 9, 1, 1));
        settle();
        view()->Picture1()->removeEventFilter(&regions);
        const QRect shown = shell::pixelRect(21, 9, zoom);
        const QPoint centre((shown.left() + shown.right() + 1) / 2, (shown.top() + shown.bottom() + 1) / 2);
        EXPECT_TRUE(regions.painted.contains(zoom >= 100 ? shown : QRect(centre, QSize(1, 1))))
            << zoom << " %";
        EXPECT_LT(regions.painted.boundingRect().width(), view()->Picture1()->width())
            << zoom << " %: only the area";
    }
}

INSTANTIATE_TEST_SUITE_P(Zoom, PictureToolsTest, ::testing::Values(100, 400));
INSTANTIATE_TEST_SUITE_P(Zoom, CircleScriptTest, ::testing::Values(100, 400));

using BinderHookTest = ShellTest;

TEST_F(BinderHookTest, toolColourAndErasePresetsFollowTheirBoxes) {
    auto* red = window().findChild<QLineEdit*>("ctr");
    red->setText("16");
    EXPECT_EQ(session().rgbCircTool(), 0xFFFF10);
    window().context().undoHistory().undoAction()->trigger();
    EXPECT_EQ(session().rgbCircTool(), 0xFFFFFF) << "an undo shows the box a new text too";
    loadSample("line-hands.ini");
    red->setText("300");
    window().runCommand([&] { session().loadIniFile(sample("line-hands.ini")); });
    EXPECT_EQ(session().rgbCircTool(), 0xFFFFFF) << "a load refreshes the tool colour";
    window().findChild<QLineEdit*>("ctg")->setText("40000");
    EXPECT_EQ(host->messageTexts(), std::vector<std::string>{"Overflow"});

    window().findChild<QCheckBox*>("chkErase")->click();
    EXPECT_EQ(window().findChild<QLineEdit*>("innerRadius")->text(),
              session().design().erase == 1 ? "60" : "10");
}

TEST_F(BinderHookTest, zoomGrowsTheWindowUpToTheClientAreaAndScrollsFromThere) {
    PictureFolder folder;
    window().runCommand([&] {
        loadIntoSlot(session().pictures(), folder, PictureSlot::Test,
                     filledImage(200, 150, kGrey), "big.bmp");
    });
    settle();
    shell::MdiChildWindow* frame = window().pictureFrame(PictureSlot::Test);
    auto* picture = static_cast<shell::PictureWindow*>(frame->widget());
    EXPECT_EQ(picture->size(), QSize(200, 150));

    picture->findChild<QAction*>("actZoom800")->trigger();
    settle();
    const QSize room = window().mdiArea()->viewport()->size();
    EXPECT_EQ(picture->Picture1()->size(), QSize(1600, 1200));
    EXPECT_LE(frame->width(), room.width());
    EXPECT_LE(frame->height(), room.height());
    EXPECT_GT(picture->findChild<QScrollBar*>()->maximum(), 0);

    QWheelEvent wheel(QPointF(8, 8), picture->Picture1()->mapToGlobal(QPointF(8, 8)), {},
                      QPoint(0, -120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(picture->Picture1(), &wheel);
    EXPECT_EQ(picture->zoom(), 400);
    picture->findChild<QAction*>("actActualSize")->trigger();
    settle();
    EXPECT_EQ(picture->size(), QSize(200, 150)) << "fitted exactly again";
    EXPECT_EQ(picture->Picture1()->pos(), QPoint(0, 0));

    EXPECT_TRUE(frame->systemMenu()->actions().contains(picture->findChild<QAction*>("actZoomIn")))
        << "the frame's own menu offers the zoom too";

    loadSample("bitmap-hands.ini");
    window().runCommand([&] { session().cmdPreviewBMP(); });
    settle();
    ASSERT_NE(window().renderFrame(), nullptr);
    auto* render = static_cast<shell::PictureView*>(window().renderFrame()->widget());
    const QSize natural = render->Picture1()->size();
    render->findChild<QAction*>("actZoom200")->trigger();
    EXPECT_EQ(render->Picture1()->size(), natural * 2);

    // The colour read-out comes third, after the two panels of the status bar.
    QStatusBar* bar = window().statusBar();
    EXPECT_LT(bar->findChild<QWidget*>("STA_FRAMECOUNT")->x(),
              bar->findChild<QWidget*>("STA_COLOUR")->x());
}

} // namespace
} // namespace dw::testing
