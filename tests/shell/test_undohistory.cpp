// Undo and redo of design edits through the command path: one step per edit, typing merged,
// runs never recorded, loads starting afresh.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "shell/designwindow.h"
#include "shell/undohistory.h"
#include "shelltestsupport.h"

using dw::shell::CommandEffect;
using dw::shell::DesignWindow;

namespace {

const char* const kHandColourBoxes[] = {"edtRed",   "edtGreen", "edtBlue",   "edtMred", "edtMgreen",
                                        "edtMblue", "edtSred",  "edtSgreen", "edtSblue"};

class UndoHistoryTest : public dw::testing::ShellTest {
protected:
    QLineEdit* box(const char* name) { return control<QLineEdit>(window, name); }
    int steps() { return context.undoHistory().stack().count(); }
    void undo() { context.undoHistory().undoAction()->trigger(); }
    void redo() { context.undoHistory().redoAction()->trigger(); }

    DesignWindow window{context};
};

TEST_F(UndoHistoryTest, undoAfterReplaceRestoresAllNineBoxesInOneStep) {
    control<QPushButton>(window, "Replace")->click();
    ASSERT_EQ(box("edtSblue")->text(), "0");
    ASSERT_EQ(steps(), 1);

    undo();
    for (const char* name : kHandColourBoxes) {
        EXPECT_EQ(box(name)->text(), "255") << name;
    }
    redo();
    for (const char* name : kHandColourBoxes) {
        EXPECT_EQ(box(name)->text(), "0") << name;
    }
    EXPECT_EQ(session.design().hred, "0");
}

TEST_F(UndoHistoryTest, typingInOneBoxIsOneStepUntilTheBoxIsLeft) {
    box("radius")->selectAll();
    QTest::keyClicks(box("radius"), "123");
    EXPECT_EQ(steps(), 1);
    emit box("radius")->editingFinished();
    QTest::keyClicks(box("radius"), "4");
    EXPECT_EQ(steps(), 2);

    undo();
    EXPECT_EQ(box("radius")->text(), "123");
    undo();
    EXPECT_EQ(box("radius")->text(), "64");
    EXPECT_EQ(session.design().radius, "64");
    EXPECT_FALSE(context.undoHistory().undoAction()->isEnabled());
}

TEST_F(UndoHistoryTest, checksToolbarFlagsAndConfirmedCentreAreStepsOfTheirOwn) {
    context.runCommand([&] { session.toolbar().setToolbarButton("IDM_SMOOTHM", 1); });
    box("txtLeft")->setText("12.5");
    emit box("txtLeft")->editingFinished();
    control<QPushButton>(window, "cmdSet")->click();
    EXPECT_EQ(session.design().Label1, "(12, 90)");
    EXPECT_EQ(steps(), 3);

    undo();
    EXPECT_EQ(session.design().centrex, 160);
    EXPECT_EQ(session.design().Label1, "(160, 90)");
    undo();
    undo();
    EXPECT_EQ(session.toolbar().getToolbarButton("IDM_SMOOTHM"), 0);
}

TEST_F(UndoHistoryTest, aRunIsNeverAStepButAnEditDuringItIs) {
    loadSample("line-hands");
    session.design().synctest = 0;
    session.design().duration = "3";
    bool edited = false;
    host.onYield = [&] {
        if (!edited) {
            edited = true;
            box("edtRed")->setText("1");
        }
    };
    context.runCommand([&] { session.test(); }, {.effect = CommandEffect::Run});
    ASSERT_TRUE(edited);
    EXPECT_EQ(steps(), 1);
    undo();
    EXPECT_EQ(session.design().hred, "236");
}

TEST_F(UndoHistoryTest, aLoadStartsTheHistoryAfreshButACancelledOneDoesNot) {
    box("radius")->setText("9");
    context.runFileCommand([&] { return session.load_ini(); }); // no answer: cancelled
    EXPECT_EQ(steps(), 1);

    loadSample("line-hands");
    EXPECT_EQ(steps(), 0);
    EXPECT_FALSE(context.undoHistory().undoAction()->isEnabled());
}

} // namespace
