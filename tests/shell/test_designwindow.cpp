// The design window: every control under its name and caption, bound live to the record.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "shell/designwindow.h"
#include "shell/livepreview.h"
#include "shelltestsupport.h"

using dw::shell::DesignWindow;

namespace {

enum class Kind { Edit, Check, Button, Label };

struct Expected {
    const char* name;
    Kind kind;
    const char* caption; // check or button caption; an edit's buddy caption; nullptr for none
};

const Expected kControls[] = {
    {"edtRed", Kind::Edit, nullptr},
    {"edtGreen", Kind::Edit, nullptr},
    {"edtBlue", Kind::Edit, nullptr},
    {"hWid", Kind::Edit, nullptr},
    {"hLen", Kind::Edit, nullptr},
    {"edtMred", Kind::Edit, nullptr},
    {"edtMgreen", Kind::Edit, nullptr},
    {"edtMblue", Kind::Edit, nullptr},
    {"mWid", Kind::Edit, nullptr},
    {"mLen", Kind::Edit, nullptr},
    {"edtSred", Kind::Edit, nullptr},
    {"edtSgreen", Kind::Edit, nullptr},
    {"edtSblue", Kind::Edit, nullptr},
    {"sWid", Kind::Edit, nullptr},
    {"sLen", Kind::Edit, nullptr},
    {"all", Kind::Edit, nullptr},
    {"src", Kind::Edit, nullptr},
    {"dest", Kind::Edit, nullptr},
    {"radius", Kind::Edit, nullptr},
    {"innerRadius", Kind::Edit, nullptr},
    {"txtLeft", Kind::Edit, nullptr},
    {"txtTop", Kind::Edit, nullptr},
    {"firR", Kind::Edit, nullptr},
    {"firG", Kind::Edit, nullptr},
    {"firB", Kind::Edit, nullptr},
    {"oirR", Kind::Edit, nullptr},
    {"oirG", Kind::Edit, nullptr},
    {"oirB", Kind::Edit, nullptr},
    {"oirW", Kind::Edit, nullptr},
    {"ctr", Kind::Edit, nullptr},
    {"ctg", Kind::Edit, nullptr},
    {"ctb", Kind::Edit, nullptr},
    {"edtSRLen", Kind::Edit, nullptr},
    {"edtHRLen", Kind::Edit, nullptr},
    {"edtMRLen", Kind::Edit, nullptr},
    {"edtHours", Kind::Edit, nullptr},
    {"edtMins", Kind::Edit, nullptr},
    {"edtSecs", Kind::Edit, nullptr},
    {"edtDuration", Kind::Edit, "&Duration"},
    {"FPS", Kind::Edit, "&Copy FPS"},
    {"edtTransR", Kind::Edit, nullptr},
    {"edtTransG", Kind::Edit, nullptr},
    {"edtTransB", Kind::Edit, nullptr},
    {"edtX", Kind::Edit, nullptr},
    {"edtY", Kind::Edit, nullptr},
    {"edtBMPR", Kind::Edit, nullptr},
    {"edtBMPG", Kind::Edit, nullptr},
    {"edtBMPB", Kind::Edit, nullptr},
    {"edtBMPX", Kind::Edit, nullptr},
    {"edtBMPY", Kind::Edit, nullptr},
    {"useInnerRadius", Kind::Check, "&Use IR"},
    {"chkFillIR", Kind::Check, "F&ill IR"},
    {"chkOutlineIR", Kind::Check, "&Outln"},
    {"chkCirc", Kind::Check, "Circle Positioner"},
    {"chkRect", Kind::Check, "Rectangle Positioner"},
    {"chkSHR", Kind::Check, "&Second hand reflection of"},
    {"chkHHR", Kind::Check, "&Hour hand reflection of"},
    {"chkMHR", Kind::Check, "M&inute hand reflection of"},
    {"synctest", Kind::Check, "&Sync test"},
    {"chkErase", Kind::Check, "&Erase mode"},
    {"chkUseBackground", Kind::Check, "&Use Background"},
    {"chkBitmap", Kind::Check, "&Bitmap mode"},
    {"chkDigital", Kind::Check, "&Digital mode"},
    {"chkLivePreview", Kind::Check, "Live preview"},
    {"cmdSet", Kind::Button, "Set centre"},
    {"cmdAutoCenter", Kind::Button, "Auto Centre"},
    {"cmdBMPcentre", Kind::Button, "Set Top Left"},
    {"cmdBMPautocentre", Kind::Button, "Auto Centre"},
    {"cmdSetTopLeft", Kind::Button, "Set Top Left"},
    {"cmdAutoCenterBox", Kind::Button, "Auto Centre"},
    {"cmdFromPoint", Kind::Button, "Set Erase Transparency Colour From Point"},
    {"cmdRGBFromPoint", Kind::Button, "Set Bitmap Transparency Colour From Point"},
    {"setFromPt", Kind::Button, "Set HMS Colours From Point"},
    {"setAll", Kind::Button, "Set all HMS colours"},
    {"Replace", Kind::Button, "Replace HMS Colour"},
    {"cmdPreview", Kind::Button, "Preview"},
    {"cmdPreviewBMP", Kind::Button, "Preview"},
    {"Label1", Kind::Label, nullptr},
    {"lblConfirmedBMPXY", Kind::Label, nullptr},
    {"lblConfirmedXY", Kind::Label, nullptr},
    {"lblColour", Kind::Label, nullptr},
    {"Picture2", Kind::Label, nullptr},
};

const char* const kHandColourBoxes[] = {"edtRed",   "edtGreen", "edtBlue",   "edtMred", "edtMgreen",
                                        "edtMblue", "edtSred",  "edtSgreen", "edtSblue"};

// The caption of the label whose buddy is `widget`, empty when none names it.
QString buddyCaption(QWidget& window, QWidget* widget) {
    for (QLabel* text : window.findChildren<QLabel*>()) {
        if (text->buddy() == widget) {
            return text->text();
        }
    }
    return {};
}

class DesignWindowTest : public dw::testing::ShellTest {
protected:
    QLineEdit* box(const char* name) { return control<QLineEdit>(window, name); }
    QPushButton* push(const char* name) { return control<QPushButton>(window, name); }

    DesignWindow window{context};
};

TEST_F(DesignWindowTest, holdsEveryControlUnderItsNameAndCaption) {
    EXPECT_EQ(window.objectName(), "frmControls");
    for (const Expected& expected : kControls) {
        SCOPED_TRACE(expected.name);
        QWidget* widget = window.findChild<QWidget*>(expected.name);
        ASSERT_NE(widget, nullptr);
        switch (expected.kind) {
        case Kind::Edit:
            ASSERT_NE(qobject_cast<QLineEdit*>(widget), nullptr);
            if (expected.caption) {
                EXPECT_EQ(buddyCaption(window, widget), expected.caption);
            }
            break;
        case Kind::Check:
            ASSERT_NE(qobject_cast<QCheckBox*>(widget), nullptr);
            EXPECT_EQ(qobject_cast<QCheckBox*>(widget)->text(), expected.caption);
            break;
        case Kind::Button:
            ASSERT_NE(qobject_cast<QPushButton*>(widget), nullptr);
            EXPECT_EQ(qobject_cast<QPushButton*>(widget)->text(), expected.caption);
            break;
        case Kind::Label:
            EXPECT_NE(qobject_cast<QLabel*>(widget), nullptr);
            break;
        }
    }
    QStringList titles;
    for (const QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        titles << frame->title();
    }
    for (const char* title : {"&Hand properties", "&Time", "&Bitmap mode", "&Erase settings"}) {
        EXPECT_TRUE(titles.contains(title)) << title;
    }
}

TEST_F(DesignWindowTest, editsReachTheRecordAsTypedAndCoreChangesShowAtOnce) {
    EXPECT_EQ(box("radius")->text(), "64");
    EXPECT_EQ(control<QLabel>(window, "Label1")->text(), "(160, 90)");

    box("radius")->clear();
    QTest::keyClicks(box("radius"), " 12.50x");
    EXPECT_EQ(session.design().radius, " 12.50x");

    session.design().hred = "7";
    session.design().useir = 2;
    context.runCommand([] {});
    EXPECT_EQ(box("edtRed")->text(), "7");
    auto* useIr = control<QCheckBox>(window, "useInnerRadius");
    EXPECT_EQ(useIr->checkState(), Qt::PartiallyChecked);

    // A click on the grey box ticks it; the next one clears it, never grey again.
    useIr->click();
    EXPECT_EQ(session.design().useir, 1);
    useIr->click();
    EXPECT_EQ(session.design().useir, 0);
    useIr->click();
    EXPECT_EQ(session.design().useir, 1);
}

TEST_F(DesignWindowTest, setAllWritesTheRoundedValueIntoTheNineHandBoxes) {
    box("all")->setText("12.5");
    push("setAll")->click();
    for (const char* name : kHandColourBoxes) {
        EXPECT_EQ(box(name)->text(), "12") << name;
    }
}

TEST_F(DesignWindowTest, aValuePastSixteenBitsEndsTheCommandWithItsDescription) {
    box("all")->setText("40000");
    push("setAll")->click();
    ASSERT_EQ(host.messageTexts(), std::vector<std::string>{"Overflow"});
    EXPECT_EQ(box("edtRed")->text(), "255");
}

TEST_F(DesignWindowTest, aLoadThatStopsPartWayShowsWhatTheCoreHolds) {
    const std::string file = ::testing::TempDir() + "/stops-at-useir.ini";
    {
        FILE* out = std::fopen(file.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fputs("[clock]\r\nversion=0.9\r\nhred=12\r\nradius=77\r\nuseir=7\r\n", out);
        std::fclose(out);
    }
    context.runFileCommand([&] { return session.loadIniFile(file); });
    EXPECT_FALSE(host.messages.empty());
    EXPECT_EQ(box("edtRed")->text(), "12");
    EXPECT_EQ(box("radius")->text(), "77");
    EXPECT_EQ(box("edtRed")->text().toStdString(), session.design().hred);
}

TEST_F(DesignWindowTest, showsTheMainPictureAndFitsItsStartWidth) {
    loadSample("bitmap-hands");
    EXPECT_EQ(box("edtHours")->text(), "10");
    EXPECT_FALSE(control<QLabel>(window, "Picture2")->pixmap().isNull());

    window.resize(window.sizeHint());
    window.show();
    QApplication::processEvents();
    auto* scroll = control<QScrollArea>(window, "scrollControls");
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << "content wider than the window";

    session.unload_background();
    context.runCommand([] {});
    EXPECT_TRUE(control<QLabel>(window, "Picture2")->pixmap().isNull());
}

TEST_F(DesignWindowTest, livePreviewDrawsOnceAfterABurstOfEditsAndNeverDuringARun) {
    loadSample("line-hands");
    control<QCheckBox>(window, "chkLivePreview")->click();
    box("edtMins")->selectAll();
    QTest::keyClicks(box("edtMins"), "5");
    box("edtSecs")->selectAll();
    QTest::keyClicks(box("edtSecs"), "1");
    EXPECT_EQ(window.livePreview().stillsDrawn(), 0);
    QTest::qWait(3 * dw::shell::LivePreview::kDelayMs);
    EXPECT_EQ(window.livePreview().stillsDrawn(), 1);
    EXPECT_TRUE(session.renderWindow().isVisible());

    session.runState().idle = false;
    QTest::keyClicks(box("edtSecs"), "2");
    QTest::qWait(3 * dw::shell::LivePreview::kDelayMs);
    EXPECT_EQ(window.livePreview().stillsDrawn(), 1);
    session.runState().idle = true;
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
