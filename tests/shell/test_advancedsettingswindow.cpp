// The advanced settings window: its controls under their names and captions, and what its
// buttons do to the record.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "shell/advancedsettingswindow.h"
#include "shelltestsupport.h"

using dw::shell::AdvancedSettingsWindow;

namespace {

struct Captioned {
    const char* name;
    const char* caption;
};

const Captioned kChecks[] = {
    {"chkHours", "&Hours"},
    {"chkMinutes", "&Minutes"},
    {"chkSeconds", "&Seconds"},
    {"chkHFill", "&Fill"},
    {"chkMFill", "&Fill"},
    {"chkSFill", "&Fill"},
    {"chkHOutline", "&Outline"},
    {"chkMOutline", "&Outline"},
    {"chkSOutline", "&Outline"},
    {"chkStraighten", "&Straighten"},
    {"chkFlash", "&Flash separator every"},
    {"chkInitiallyOn", "Initially On"},
    {"chkHourMode", "24\\12 hour"},
    {"chkAMPM", "Start AM\\PM"},
    {"chkAMPMpos", "AMPM@ss\\hh"},
    {"chkAsc", "Asc\\Desc"},
    {"chkSecondsOnly", "Seconds only"},
    {"chkZE", "0 extend s.o."},
};

const Captioned kButtons[] = {
    {"cmdHFill", "Colour From Point"},
    {"cmdHOL", "Colour From Point"},
    {"cmdMFill", "Colour From Point"},
    {"cmdMOL", "Colour From Point"},
    {"cmdSFill", "Colour From Point"},
    {"cmdSOL", "Colour From Point"},
    {"cmdSeps", "Colour From Point"},
    {"cmdSetAll", "Set HMS Colours From Point"},
    {"cmdAll", "Enable All"},
    {"cmdNone", "Enable None"},
    {"cmdDefaults", "Restore Defaults"},
    {"cmdDigitalDefault", "Restore Defaults"},
    {"cmdOrder", "Set Display Order"},
    {"cmdGetFont", "Show fonts"},
    {"cmdSetPos", "Set Top Left"},
    {"cmdAutoCentre", "Auto Centre"},
};

const char* const kEdits[] = {
    "txtHHC",     "txtMHC",        "txtSHC",     "txtHPD",    "txtMPD",     "txtSPD",
    "fpvh_fillR", "fpvh_fillG",    "fpvh_fillB", "fpvh_outR", "fpvh_outG",  "fpvh_outB",
    "fpvm_fillR", "fpvm_fillG",    "fpvm_fillB", "fpvm_outR", "fpvm_outG",  "fpvm_outB",
    "fpvs_fillR", "fpvs_fillG",    "fpvs_fillB", "fpvs_outR", "fpvs_outG",  "fpvs_outB",
    "txtHW",      "txtMW",         "txtSW",      "edtHead",   "edtHourSep", "edtMinSep",
    "edtTail",    "edtFlashEvery", "edtAM",      "edtPM",     "edtSepR",    "edtSepG",
    "edtSepB",    "edtLeft",       "edtTop",
};

const char* const kVectorChecks[] = {"chkHours",   "chkHFill", "chkHOutline",
                                     "chkMinutes", "chkMFill", "chkMOutline",
                                     "chkSeconds", "chkSFill", "chkSOutline"};

class AdvancedSettingsWindowTest : public dw::testing::ShellTest {
protected:
    void click(const char* name) { control<QPushButton>(window, name)->click(); }

    AdvancedSettingsWindow window{context};
};

TEST_F(AdvancedSettingsWindowTest, holdsEveryControlUnderItsNameAndCaption) {
    EXPECT_EQ(window.objectName(), "frmAdvancedControls");
    for (const auto& [name, caption] : kChecks) {
        auto* box = control<QCheckBox>(window, name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), caption) << name;
    }
    for (const auto& [name, caption] : kButtons) {
        auto* push = control<QPushButton>(window, name);
        ASSERT_NE(push, nullptr);
        EXPECT_EQ(push->text(), caption) << name;
    }
    for (const char* name : kEdits) {
        control<QLineEdit>(window, name);
    }
    control<QLabel>(window, "lblFont");
    control<QLabel>(window, "lblConfirmedXY");
    EXPECT_EQ(control<QCheckBox>(window, "chkStraighten")->toolTip(),
              "Correct x positions at 0/360 and 180 degrees, and y positions at 90 and 270 "
              "degrees for high resolution pictures");
    auto* orders = control<QListWidget>(window, "lstDisplayOrder");
    ASSERT_EQ(orders->count(), 6);
    const char* expected[] = {"hms", "hsm", "mhs", "msh", "shm", "smh"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(orders->item(i)->text(), expected[i]);
    }
}

TEST_F(AdvancedSettingsWindowTest, enableNoneClearsTheNineVectorChecksAndKeepsTheColours) {
    click("cmdAll");
    control<QLineEdit>(window, "fpvh_fillR")->setText("12");
    click("cmdNone");
    for (const char* name : kVectorChecks) {
        EXPECT_EQ(control<QCheckBox>(window, name)->checkState(), Qt::Unchecked) << name;
    }
    EXPECT_EQ(session.design().ac_chkhours, 0);
    EXPECT_EQ(control<QLineEdit>(window, "fpvh_fillR")->text(), "12");
}

TEST_F(AdvancedSettingsWindowTest, digitalRestoreDefaultsClearsStraightenAndTheReadOutPosition) {
    control<QCheckBox>(window, "chkStraighten")->click();
    control<QLineEdit>(window, "edtLeft")->setText("30");
    control<QLineEdit>(window, "edtTop")->setText("40");
    click("cmdSetPos");
    EXPECT_EQ(control<QLabel>(window, "lblConfirmedXY")->text(), "(30, 40)");

    click("cmdDigitalDefault");
    EXPECT_EQ(control<QCheckBox>(window, "chkStraighten")->checkState(), Qt::Unchecked);
    EXPECT_EQ(control<QLineEdit>(window, "edtLeft")->text(), "");
    EXPECT_EQ(control<QLineEdit>(window, "edtTop")->text(), "");
    EXPECT_EQ(control<QLabel>(window, "lblConfirmedXY")->text(), "(0, 0)");
    EXPECT_EQ(session.design().nDigitalLeft, 0);
}

TEST_F(AdvancedSettingsWindowTest, setDisplayOrderTakesTheSelectedEntryOnly) {
    session.design().displayOrder = "msh";
    click("cmdOrder");
    EXPECT_EQ(session.design().displayOrder, "msh");

    auto* orders = control<QListWidget>(window, "lstDisplayOrder");
    orders->setCurrentRow(0);
    click("cmdOrder");
    EXPECT_EQ(session.design().displayOrder, "hms");

    orders->clearSelection();
    session.design().displayOrder = "smh";
    click("cmdOrder");
    EXPECT_EQ(session.design().displayOrder, "smh");
}

TEST_F(AdvancedSettingsWindowTest, showFontsRoundsHalvesToEvenAndACancelChangesNothing) {
    host.fontAnswers.push_back(dw::design::FontChoice{"DejaVu Sans", 10.5, true, false});
    click("cmdGetFont");
    EXPECT_EQ(control<QLabel>(window, "lblFont")->text(), "DejaVu Sans, 10, bold");

    host.fontAnswers.push_back(dw::design::FontChoice{"DejaVu Serif", 11.5, false, true});
    click("cmdGetFont");
    EXPECT_EQ(control<QLabel>(window, "lblFont")->text(), "DejaVu Serif, 12, italic");

    host.fontAnswers.push_back(std::nullopt);
    click("cmdGetFont");
    EXPECT_EQ(control<QLabel>(window, "lblFont")->text(), "DejaVu Serif, 12, italic");
    EXPECT_EQ(session.design().nFSize, 12);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(AdvancedSettingsWindowTest, fitsTheWidthViewAdvancedControlsGivesIt) {
    window.resize(window.sizeHint());
    window.show();
    QApplication::processEvents();
    auto* scroll = control<QScrollArea>(window, "scrollAdvancedControls");
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << "content wider than the window";
}

} // namespace
