// The child windows of the main window: the log, the picture windows and the render window, as
// they follow the session's models, and the host's dialog filters.
#include <utility>

#include <QAction>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QMdiArea>
#include <QPlainTextEdit>

#include "shell/logwindow.h"
#include "shell/mdichildwindow.h"
#include "shell/picturewindow.h"
#include "shellfixture.h"

namespace dw::testing {
namespace {

using design::PictureSlot;
using ChildWindowTest = ShellTest;

TEST_F(ChildWindowTest, logIsShownLastAndDockedAlongTheBottom) {
    ASSERT_NE(window().logFrame(), nullptr);
    EXPECT_EQ(window().mdiArea()->subWindowList(QMdiArea::StackingOrder).last(),
              window().logFrame());
    window().resize(900, 700);
    settle();
    const QSize client = window().mdiArea()->viewport()->size();
    const QRect log = window().logFrame()->geometry();
    EXPECT_EQ(log.left(), 0);
    EXPECT_EQ(log.width(), client.width());
    EXPECT_EQ(log.bottom() + 1, client.height());
    QPlainTextEdit* text = window().logWindow()->edtText();
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(ChildWindowTest, closedLogForgetsItsTextAndTheNextLineBringsItBack) {
    session().addlogline("first");
    session().addlogline("second");
    ASSERT_EQ(window().logWindow()->edtText()->blockCount(), 2);
    EXPECT_TRUE(window().logWindow()->edtText()->toPlainText().endsWith(": second"));
    window().logFrame()->close();
    settle();
    EXPECT_EQ(window().logFrame(), nullptr);
    EXPECT_EQ(session().log().text(), "");

    session().addlogline("third");
    ASSERT_NE(window().logFrame(), nullptr);
    EXPECT_EQ(window().logWindow()->edtText()->blockCount(), 1);
    EXPECT_TRUE(window().logWindow()->edtText()->toPlainText().endsWith(": third"));

    window().findChild<QAction*>("IDM_CLEARLOG")->trigger();
    EXPECT_EQ(window().logWindow()->edtText()->toPlainText(), "");
    window().logFrame()->close();
    settle();
    window().findChild<QAction*>("IDM_LOG")->trigger();
    ASSERT_NE(window().logFrame(), nullptr);
    EXPECT_EQ(window().logFrame()->geometry().bottom() + 1,
              window().mdiArea()->viewport()->height());
}

TEST_F(ChildWindowTest, pictureWindowFitsItsPictureAndItsCloseBoxOnlyHides) {
    loadSample("line-hands.ini");
    shell::MdiChildWindow* frame = window().pictureFrame(PictureSlot::Main);
    ASSERT_NE(frame, nullptr);
    auto* picture = static_cast<shell::PictureWindow*>(frame->widget());
    const auto model = session().pictures().window(PictureSlot::Main);
    EXPECT_EQ(picture->objectName(), "frmGenBitmap");
    EXPECT_EQ(frame->windowTitle(), "Main background bitmap");
    EXPECT_EQ(picture->Picture1()->pos(), QPoint(0, 0));
    EXPECT_EQ(picture->Picture1()->size(), QSize(model->scaleWidth(), model->scaleHeight()));
    EXPECT_EQ(picture->size(), picture->Picture1()->size());
    EXPECT_TRUE(frame->isVisible());

    frame->close();
    settle();
    EXPECT_EQ(window().pictureFrame(PictureSlot::Main), frame);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(session().isBMPobject(PictureSlot::Main));
    window().findChild<QAction*>("IDM_MAIN_VIEW")->trigger();
    EXPECT_TRUE(frame->isVisible());

    window().findChild<QAction*>("IDM_MAIN_UNLOAD")->trigger();
    settle();
    EXPECT_EQ(window().pictureFrame(PictureSlot::Main), nullptr);
}

TEST_F(ChildWindowTest, unloadOrLoadDuringARunEndsItWithoutTouchingGoneWindows) {
    const std::vector<std::function<void()>> commands = {
        [&] { window().findChild<QAction*>("IDM_MAIN_UNLOAD")->trigger(); },
        [&] { window().runCommand([&] { session().loadIniFile(sample("bitmap-hands.ini")); }); },
    };
    for (std::size_t i = 0; i < commands.size(); ++i) {
        loadSample("line-hands.ini");
        session().design().synctest = 0;
        int yields = 0;
        host->onYield = [&] {
            if (++yields == 3) {
                commands[i]();
            }
        };
        window().findChild<QAction*>("IDM_TEST")->trigger();
        host->onYield = nullptr;
        settle();
        EXPECT_TRUE(session().runState().idle) << i;
        EXPECT_FALSE(session().runState().running) << i;
        EXPECT_LT(yields, 40) << i << ": the run went on after its picture left";
    }
}

TEST_F(ChildWindowTest, renderWindowRefusesToCloseDuringAnExport) {
    loadSample("bitmap-hands.ini");
    session().design().duration = "2";
    ScratchFolder out;
    host->saveAnswers.push_back((out.path() / "clock.avi").string());
    bool stillThere = false;
    bool done = false;
    host->onYield = [&] {
        if (std::exchange(done, true)) {
            return;
        }
        ASSERT_NE(window().renderFrame(), nullptr);
        window().renderFrame()->close();
        settle();
        stillThere = window().renderFrame() != nullptr && window().renderFrame()->isVisible();
        session().stopTest();
    };
    window().findChild<QAction*>("IDM_SAVEAVI")->trigger();
    EXPECT_TRUE(stillThere);
    EXPECT_EQ(host->messageTexts(), std::vector<std::string>{"Cannot exit at this time"});
    ASSERT_NE(window().renderFrame(), nullptr);
    auto* render = window().renderFrame()->widget();
    EXPECT_EQ(render->objectName(), "frmRender");
    const auto& picture = session().renderWindowHolder().current()->Picture1();
    EXPECT_EQ(render->findChild<QWidget*>("Picture1")->size(),
              QSize(picture.width(), picture.height()));
    // After the export its close goes through: the window is unloaded.
    window().renderFrame()->close();
    settle();
    EXPECT_EQ(window().renderFrame(), nullptr);
    EXPECT_EQ(session().renderWindowHolder().current(), nullptr);
}

struct FilterRow {
    const char* name;
    const char* filter;
    const char* qt;
};

class NameFilterTest : public ::testing::TestWithParam<FilterRow> {};

TEST_P(NameFilterTest, becomesQtNameFilters) {
    EXPECT_EQ(shell::qtNameFilters(GetParam().filter).toStdString(), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, NameFilterTest,
    ::testing::Values(FilterRow{"bitmap", "Bitmap Files (*.bmp)|*.bmp|All files (*.*)|*.*",
                                "Bitmap Files (*.bmp);;All files (*.*)"},
                      FilterRow{"labelWithoutPattern", "Designs|*.ini", "Designs (*.ini)"},
                      FilterRow{"danglingLabel", "AVI Files (*.avi)|*.avi|Broken",
                                "AVI Files (*.avi)"},
                      FilterRow{"empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A run repaints only what its hands changed; what the screen holds afterwards must still be
// what a whole repaint draws, at natural size and zoomed in or out.
TEST_F(ChildWindowTest, aRunLeavesOnScreenWhatAWholeRepaintShows) {
    loadSample("line-hands.ini");
    session().design().synctest = 0;
    session().design().duration = "3";
    auto* picture =
        static_cast<shell::PictureWindow*>(window().pictureFrame(PictureSlot::Main)->widget());
    QWidget* box = picture->Picture1();
    const auto onScreen = [box] {
        const QPoint origin = box->mapTo(box->window(), QPoint(0, 0));
        return QGuiApplication::primaryScreen()
            ->grabWindow(box->window()->winId(), origin.x(), origin.y(), box->width(),
                         box->height())
            .toImage();
    };
    for (const int zoom : {50, 100, 200}) {
        picture->setZoom(zoom);
        settle();
        window().runCommand([&] { session().test(); });
        settle();
        const QImage afterRun = onScreen();
        box->repaint();
        settle();
        EXPECT_TRUE(afterRun == onScreen()) << zoom << " %";
    }
}

} // namespace
} // namespace dw::testing
