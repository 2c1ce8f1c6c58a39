// The main window as the user meets it: its menu tree and toolbars, the commands they reach, the
// appearance buttons' checks, start-up, the preferences and the exit rules.
#include <fstream>
#include <utility>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "shell/mdichildwindow.h"
#include "shellfixture.h"

namespace dw::testing {
namespace {

using design::MessageIcon;

struct Item {
    const char* id;
    const char* caption; // "-" for a separator
};
struct Menu {
    const char* id;
    const char* caption;
    std::vector<Item> items;
};

const std::vector<Menu> kMenuTree = {
    {"IDM_FILE",
     "&File",
     {{"IDM_NEW", "&New..."},
      {"IDM_SEP11", "-"},
      {"IDM_LOAD_INI", "&Open .INI..."},
      {"IDM_SAVE_INI", "&Save .INI..."},
      {"IDM_SEP12", "-"},
      {"IDM_EXIT", "E&xit"}}},
    {"IDM_VIEW",
     "&View",
     {{"IDM_CONTROLS", "&Controls..."},
      {"IDM_ADVANCED", "&Advanced Controls..."},
      {"IDM_LOG", "&Log..."},
      {"IDM_CLEARLOG", "&Clear Log"}}},
    {"IDM_MAIN",
     "&Main picture",
     {{"IDM_MAIN_LOAD", "&Load..."},
      {"IDM_MAIN_VIEW", "&View..."},
      {"IDM_MAIN_UNLOAD", "&Unload"}}},
    {"IDM_ERASEBK",
     "Erase b&ackground",
     {{"IDM_ERASEBK_LOAD", "&Load..."},
      {"IDM_ERASEBK_VIEW", "&View..."},
      {"IDM_ERASEBK_UNLOAD", "&Unload"}}},
    {"IDM_BITMAP",
     "Bitmap &graphics",
     {{"IDM_HOUR_LOAD", "&Hour Load..."},
      {"IDM_HOUR_VIEW", "&Hour View..."},
      {"IDM_HOUR_UNLOAD", "&Hour Unload"},
      {"IDM_SEP_B1", "-"},
      {"IDM_MINUTE_LOAD", "&Minute Load..."},
      {"IDM_MINUTE_VIEW", "&Minute View..."},
      {"IDM_MINUTE_UNLOAD", "&Minute Unload"},
      {"IDM_SEP_B2", "-"},
      {"IDM_SECOND_LOAD", "&Second Load..."},
      {"IDM_SECOND_VIEW", "&Second View..."},
      {"IDM_SECOND_UNLOAD", "&Second Unload"},
      {"IDM_SEP_B3", "-"},
      {"IDM_TOP_LOAD", "&Top Load..."},
      {"IDM_TOP_VIEW", "&Top View..."},
      {"IDM_TOP_UNLOAD", "&Top Unload"},
      {"IDM_SEP_B4", "-"},
      {"IDM_TEST_LOAD", "&Test Load..."},
      {"IDM_TEST_VIEW", "&Test View..."},
      {"IDM_TEST_UNLOAD", "&Test Unload"}}},
    {"IDM_RUN",
     "Ru&n",
     {{"IDM_TEST", "&Test"},
      {"IDM_STOPTEST", "&Stop Test"},
      {"IDM_PLOTCENTRE", "&Plot Centre"},
      {"IDM_SEP", "-"},
      {"IDM_SAVEAVI", "&Save AVI"}}},
    {"IDM_HELP", "He&lp", {{"IDM_ABOUT", "&About..."}}},
};

struct Button {
    const char* key; // null for a separator
    const char* tooltip;
};
const std::vector<Button> kToolbar1 = {{"IDM_NEW", "New"},
                                       {nullptr, ""},
                                       {"IDM_OPEN", "Open .INI"},
                                       {"IDM_SAVE", "Save .INI"},
                                       {nullptr, ""},
                                       {"IDM_TEST", "Test"},
                                       {"IDM_STOPTEST", "Stop Test"},
                                       {"IDM_PLOTCENTRE", "Plot Centre"},
                                       {nullptr, ""},
                                       {"IDM_SAVEAVI", "Save .AVI"}};
const std::vector<Button> kAppearance = {{"IDM_SMOOTHH", "Hour hand smooth movement"},
                                         {"IDM_SMOOTHM", "Minute hand smooth movement"},
                                         {"IDM_SMOOTHS", "Second hand smooth movement"},
                                         {nullptr, ""},
                                         {"IDM_JITTERH", "Hour hand jitter"},
                                         {"IDM_JITTERM", "Minute hand jitter"},
                                         {"IDM_JITTERS", "Second Hand Jitter"}};

const QStringList kAddedMenus = {"IDM_EDIT", "IDM_EXPORT"};

using MainWindowTest = ShellTest;

TEST_F(MainWindowTest, menuTreeMatchesTheTableWithoutShortcuts) {
    ASSERT_EQ(window().objectName(), "MDIForm1");
    EXPECT_EQ(window().windowTitle(), "Dialwright");
    // Added menus (undo, export) sit between the table's menus without changing their order.
    QList<QAction*> tops = window().menuBar()->actions();
    tops.removeIf([](QAction* top) {
        return top->menu() != nullptr && kAddedMenus.contains(top->menu()->objectName());
    });
    ASSERT_EQ(tops.size(), static_cast<qsizetype>(kMenuTree.size()));
    for (std::size_t m = 0; m < kMenuTree.size(); ++m) {
        const Menu& expected = kMenuTree[m];
        QMenu* menu = tops[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr) << expected.id;
        EXPECT_EQ(menu->objectName(), expected.id);
        EXPECT_EQ(menu->title(), expected.caption);
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected.items.size())) << expected.id;
        for (std::size_t i = 0; i < expected.items.size(); ++i) {
            const Item& item = expected.items[i];
            QAction* action = items[static_cast<qsizetype>(i)];
            EXPECT_EQ(action->objectName(), item.id);
            const bool separator = QString(item.caption) == "-";
            EXPECT_EQ(action->isSeparator(), separator) << item.id;
            if (!separator) {
                EXPECT_EQ(action->text(), item.caption) << item.id;
            }
            EXPECT_TRUE(action->shortcut().isEmpty()) << item.id;
        }
    }
}

TEST_F(MainWindowTest, editMenuFollowsFileWithUndoAndRedoKeys) {
    const QList<QAction*> tops = window().menuBar()->actions();
    ASSERT_GE(tops.size(), 2);
    QMenu* edit = tops[1]->menu();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->objectName(), "IDM_EDIT");
    EXPECT_EQ(edit->title(), "&Edit");
    const QList<QAction*> items = edit->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "&Undo");
    EXPECT_EQ(items[0]->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(items[1]->text(), "&Redo");
    EXPECT_EQ(items[1]->shortcut(), QKeySequence("Ctrl+Shift+Z"));
}

void expectToolbar(QToolBar* bar, const std::vector<Button>& expected, bool twoState) {
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()))
        << bar->objectName().toStdString();
    std::vector<QImage> images;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QAction* action = actions[static_cast<qsizetype>(i)];
        if (expected[i].key == nullptr) {
            EXPECT_TRUE(action->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(action->objectName(), expected[i].key);
        EXPECT_EQ(action->toolTip(), expected[i].tooltip);
        EXPECT_EQ(action->isCheckable(), twoState) << expected[i].key;
        EXPECT_FALSE(action->isChecked()) << expected[i].key;
        for (const int size : {16, 24}) {
            EXPECT_EQ(action->icon().pixmap(size, size).size(), QSize(size, size));
        }
        const QImage image = action->icon().pixmap(24, 24).toImage();
        for (const QImage& other : images) {
            EXPECT_NE(image, other) << expected[i].key << " shares an image";
        }
        images.push_back(image);
    }
}

TEST_F(MainWindowTest, toolbarsMatchTheirTablesEachButtonWithItsOwnImage) {
    expectToolbar(window().findChild<QToolBar*>("Toolbar1"), kToolbar1, false);
    expectToolbar(window().findChild<QToolBar*>("tbrAppearance"), kAppearance, true);
}

TEST_F(MainWindowTest, statusBarHasPositionThenFrameCountPanels) {
    QStatusBar* bar = window().findChild<QStatusBar*>("sbar");
    ASSERT_NE(bar, nullptr);
    QWidget* position = bar->findChild<QWidget*>("STA_POS");
    QWidget* frames = bar->findChild<QWidget*>("STA_FRAMECOUNT");
    ASSERT_TRUE(position != nullptr && frames != nullptr);
    EXPECT_LT(position->x(), frames->x());
}

TEST_F(MainWindowTest, newAsksWhereToSaveLikeSaveIni) {
    for (const char* id : {"IDM_NEW", "IDM_SAVE_INI"}) {
        window().findChild<QAction*>(id)->trigger();
    }
    window().toolbarButtonClicked("IDM_NEW");
    ASSERT_EQ(host->dialogFilters.size(), 3u);
    EXPECT_EQ(host->dialogFilters[0], host->dialogFilters[1]);
    EXPECT_EQ(host->dialogFilters[0], host->dialogFilters[2]);
    EXPECT_NE(host->dialogFilters[0].find("*.ini"), std::string::npos);
}

TEST_F(MainWindowTest, aboutAndUnknownButtonMessages) {
    window().findChild<QAction*>("IDM_ABOUT")->trigger();
    window().toolbarButtonClicked("IDM_NOSUCH");
    window().appearanceButtonClicked("IDM_NOSUCH", true);
    ASSERT_EQ(host->messages.size(), 3u);
    EXPECT_EQ(host->messages[0].text.rfind("Dialwright v0.9\r\n", 0), 0u);
    EXPECT_GT(host->messages[0].text.size(), std::string("Dialwright v0.9\r\n").size());
    EXPECT_EQ(host->messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(host->messages[1].text, "Undefined");
    EXPECT_EQ(host->messages[1].icon, MessageIcon::None);
    EXPECT_EQ(host->messages[2].text, "Undefined");
}

TEST_F(MainWindowTest, smoothMinuteIsRefusedWhileMinuteJitterIsPressed) {
    session().design().copyfps = "30"; // jitter asks for at least 5
    QAction* jitter = window().findChild<QAction*>("IDM_JITTERM");
    QAction* smooth = window().findChild<QAction*>("IDM_SMOOTHM");
    jitter->trigger();
    ASSERT_TRUE(jitter->isChecked());
    ASSERT_TRUE(host->messages.empty());
    smooth->trigger();
    ASSERT_EQ(host->messages.size(), 1u);
    EXPECT_NE(host->messages[0].text.find("minute"), std::string::npos) << host->messages[0].text;
    EXPECT_FALSE(smooth->isChecked());
    EXPECT_EQ(session().toolbar().getToolbarButton("IDM_SMOOTHM"), 0);
    EXPECT_TRUE(jitter->isChecked());
    for (const char* hour : {"IDM_SMOOTHH", "IDM_JITTERH"}) {
        EXPECT_FALSE(window().findChild<QAction*>(hour)->isChecked()) << hour;
        EXPECT_EQ(session().toolbar().getToolbarButton(hour), 0) << hour;
    }
}

TEST_F(MainWindowTest, exitDuringATestIsRefusedAndClosingControlsThenOnlyHides) {
    loadSample("line-hands.ini");
    session().design().duration = "3";
    session().design().synctest = 0;
    bool closedMain = true;
    bool unloadAllAfter = true;
    bool done = false;
    host->onYield = [&] {
        if (std::exchange(done, true)) {
            return;
        }
        closedMain = window().close();
        unloadAllAfter = window().exitSequence().bUnloadAll();
        window().designFrame()->close();
        session().stopTest();
    };
    window().findChild<QAction*>("IDM_TEST")->trigger();
    EXPECT_FALSE(closedMain);
    EXPECT_FALSE(unloadAllAfter);
    EXPECT_EQ(host->messageTexts(),
              (std::vector<std::string>{"Cannot exit at this time, press stop",
                                        "Cannot exit at this time, press stop"}));
    // After the run the design window's close box only hides it; View -> Controls shows it.
    window().designFrame()->close();
    settle();
    ASSERT_NE(window().designFrame(), nullptr);
    EXPECT_FALSE(window().designFrame()->isVisible());
    window().findChild<QAction*>("IDM_CONTROLS")->trigger();
    EXPECT_TRUE(window().designFrame()->isVisible());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(MainWindowTest, exitUnloadsEveryWindowAndWritesLastDir) {
    loadSample("bitmap-hands.ini");
    ASSERT_TRUE(session().isBMPobject(design::PictureSlot::Hour));
    EXPECT_TRUE(window().close());
    settle();
    for (int i = 0; i < design::kPictureSlotCount; ++i) {
        EXPECT_FALSE(session().isBMPobject(static_cast<design::PictureSlot>(i))) << i;
        EXPECT_EQ(window().pictureFrame(static_cast<design::PictureSlot>(i)), nullptr) << i;
    }
    EXPECT_TRUE(window().exitSequence().bUnload());
    EXPECT_FALSE(window().exitSequence().bUnloadAll());
    EXPECT_EQ(window().advancedFrame(), nullptr);
    std::ifstream prefs(config.path() / "dialwright" / "prefs.ini");
    const std::string text((std::istreambuf_iterator<char>(prefs)), {});
    EXPECT_NE(text.find("[prefs]"), std::string::npos) << text;
    EXPECT_NE(text.find("lastDir=" DW_SAMPLES_DIR), std::string::npos) << text;
}

class StartUpTest : public ShellTest {
protected:
    StartUpTest() { startOnSetUp = false; }
};

TEST_F(StartUpTest, storedLastDirIsWhereOpenIniStarts) {
    std::filesystem::create_directories(config.path() / "dialwright");
    std::ofstream(config.path() / "dialwright" / "prefs.ini") << "[prefs]\nlastDir=/srv/faces/\n";
    ASSERT_TRUE(program->start());
    window().findChild<QAction*>("IDM_LOAD_INI")->trigger();
    ASSERT_EQ(host->dialogFolders.size(), 1u);
    EXPECT_EQ(host->dialogFolders[0], "/srv/faces/");
}

TEST_F(StartUpTest, noStoredLastDirMeansTheCurrentFolder) {
    ASSERT_TRUE(program->start());
    window().findChild<QAction*>("IDM_LOAD_INI")->trigger();
    ASSERT_EQ(host->dialogFolders.size(), 1u);
    EXPECT_EQ(host->dialogFolders[0], std::filesystem::current_path().string());
}

TEST_F(StartUpTest, missingComponentsEndStartUpWithTheCriticalMessage) {
    ScratchFolder registry;
    const QByteArray saved = qgetenv("DIALWRIGHT_REGISTRY");
    qputenv("DIALWRIGHT_REGISTRY", QByteArray::fromStdString((registry.path() / "none").string()));
    const bool started = program->start();
    qputenv("DIALWRIGHT_REGISTRY", saved);
    EXPECT_FALSE(started);
    ASSERT_EQ(host->messages.size(), 1u);
    EXPECT_NE(host->messages[0].text.find("\r\nreelkit.dll not registered"), std::string::npos);
    EXPECT_EQ(host->messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(window().designFrame(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(config.path() / "dialwright"));
}

} // namespace
} // namespace dw::testing
