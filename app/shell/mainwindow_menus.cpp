// The menu bar of the main window, built from one table: top menus with their items, each item
// calling one operation of the session or of the main window. Ids are the object names.
#include <vector>

#include <QMenu>
#include <QMenuBar>

#include "run/designersession.h"
#include "shell/mainwindow.h"

namespace dw::shell {

namespace {

using run::DesignerSession;
using Action = void (*)(MainWindow&);

struct MenuItemEntry {
    const char* id;
    const char* caption; // "-" is a separator
    Action action = nullptr;
};

struct MenuEntry {
    const char* id;
    const char* caption;
    std::vector<MenuItemEntry> items;
};

// A session operation as a menu action (its result, where it has one, is the session's to show).
template <auto Operation> void call(MainWindow& window) {
    window.runCommand([&window] { (window.session().*Operation)(); });
}

// A main-window operation, also through the command path so that the windows refresh after it.
template <void (MainWindow::*Operation)()> void own(MainWindow& window) {
    window.runCommand([&window] { (window.*Operation)(); });
}

void exitProgram(MainWindow& window) {
    window.close();
}

const std::vector<MenuEntry>& menuTable() {
    static const std::vector<MenuEntry> table = {
        {"IDM_FILE",
         "&File",
         {{"IDM_NEW", "&New...", call<&DesignerSession::save_ini>},
          {"IDM_SEP11", "-"},
          {"IDM_LOAD_INI", "&Open .INI...", call<&DesignerSession::load_ini>},
          {"IDM_SAVE_INI", "&Save .INI...", call<&DesignerSession::save_ini>},
          {"IDM_SEP12", "-"},
          {"IDM_EXIT", "E&xit", exitProgram}}},
        {"IDM_VIEW",
         "&View",
         {{"IDM_CONTROLS", "&Controls...", own<&MainWindow::showDesignWindow>},
          {"IDM_ADVANCED", "&Advanced Controls...", own<&MainWindow::showAdvancedWindow>},
          {"IDM_LOG", "&Log...", own<&MainWindow::showLogWindow>},
          {"IDM_CLEARLOG", "&Clear Log", own<&MainWindow::clearLog>}}},
        {"IDM_MAIN",
         "&Main picture",
         {{"IDM_MAIN_LOAD", "&Load...", call<&DesignerSession::load_background>},
          {"IDM_MAIN_VIEW", "&View...", call<&DesignerSession::view_background>},
          {"IDM_MAIN_UNLOAD", "&Unload", call<&DesignerSession::unload_background>}}},
        {"IDM_ERASEBK",
         "Erase b&ackground",
         {{"IDM_ERASEBK_LOAD", "&Load...", call<&DesignerSession::loadEraseBK>},
          {"IDM_ERASEBK_VIEW", "&View...", call<&DesignerSession::viewEraseBK>},
          {"IDM_ERASEBK_UNLOAD", "&Unload", call<&DesignerSession::unloadEraseBK>}}},
        {"IDM_BITMAP",
         "Bitmap &graphics",
         {{"IDM_HOUR_LOAD", "&Hour Load...", call<&DesignerSession::LD_HBMP>},
          {"IDM_HOUR_VIEW", "&Hour View...", call<&DesignerSession::V_HBMP>},
          {"IDM_HOUR_UNLOAD", "&Hour Unload", call<&DesignerSession::U_HBMP>},
          {"IDM_SEP_B1", "-"},
          {"IDM_MINUTE_LOAD", "&Minute Load...", call<&DesignerSession::LD_MBMP>},
          {"IDM_MINUTE_VIEW", "&Minute View...", call<&DesignerSession::V_MBMP>},
          {"IDM_MINUTE_UNLOAD", "&Minute Unload", call<&DesignerSession::U_MBMP>},
          {"IDM_SEP_B2", "-"},
          {"IDM_SECOND_LOAD", "&Second Load...", call<&DesignerSession::LD_SBMP>},
          {"IDM_SECOND_VIEW", "&Second View...", call<&DesignerSession::V_SBMP>},
          {"IDM_SECOND_UNLOAD", "&Second Unload", call<&DesignerSession::U_SBMP>},
          {"IDM_SEP_B3", "-"},
          {"IDM_TOP_LOAD", "&Top Load...", call<&DesignerSession::LD_TBMP>},
          {"IDM_TOP_VIEW", "&Top View...", call<&DesignerSession::V_TBMP>},
          {"IDM_TOP_UNLOAD", "&Top Unload", call<&DesignerSession::U_TBMP>},
          {"IDM_SEP_B4", "-"},
          {"IDM_TEST_LOAD", "&Test Load...", call<&DesignerSession::LD_TESTBMP>},
          {"IDM_TEST_VIEW", "&Test View...", call<&DesignerSession::V_TESTBMP>},
          {"IDM_TEST_UNLOAD", "&Test Unload", call<&DesignerSession::U_TESTBMP>}}},
        {"IDM_RUN",
         "Ru&n",
         {{"IDM_TEST", "&Test", call<&DesignerSession::test>},
          {"IDM_STOPTEST", "&Stop Test", call<&DesignerSession::stopTest>},
          {"IDM_PLOTCENTRE", "&Plot Centre", call<&DesignerSession::plotCentre>},
          {"IDM_SEP", "-"},
          {"IDM_SAVEAVI", "&Save AVI", call<&DesignerSession::save_avi>}}},
        {"IDM_HELP", "He&lp", {{"IDM_ABOUT", "&About...", call<&DesignerSession::about>}}},
    };
    return table;
}

} // namespace

void MainWindow::buildMenus() {
    for (const MenuEntry& entry : menuTable()) {
        QMenu* menu = menuBar()->addMenu(entry.caption);
        menu->setObjectName(entry.id);
        for (const MenuItemEntry& item : entry.items) {
            QAction* action = nullptr;
            if (QString(item.caption) == "-") {
                action = menu->addSeparator();
            } else {
                action = menu->addAction(item.caption);
                const Action run = item.action;
                connect(action, &QAction::triggered, this, [this, run] { run(*this); });
            }
            action->setObjectName(item.id);
        }
    }
}

} // namespace dw::shell
