// The menu bar of the main window, built from one table: top menus with their items, each item
// calling one operation of the session or of the main window. Ids are the object names.
#include <vector>

#include <QMenu>
#include <QMenuBar>

#include "run/designersession.h"
#include "shell/exportcommands.h"
#include "shell/mainwindow.h"
#include "shell/mainwindow_commands.h"

namespace dw::shell {

namespace {

using commands::Action;
using commands::edit;
using commands::file;
using commands::own;
using commands::run;
using run::DesignerSession;

// An action that exists already (the undo history's), taken into a menu as it is.
using ActionSource = QAction* (*)(MainWindow&);

struct MenuItemEntry {
    const char* id;
    const char* caption; // "-" is a separator
    Action action = nullptr;
    ActionSource source = nullptr;
};

struct MenuEntry {
    const char* id;
    const char* caption;
    std::vector<MenuItemEntry> items;
};

void exitProgram(MainWindow& window) {
    window.close();
}

QAction* undoAction(MainWindow& window) {
    return window.context().undoHistory().undoAction();
}

QAction* redoAction(MainWindow& window) {
    return window.context().undoHistory().redoAction();
}

const std::vector<MenuEntry>& menuTable() {
    static const std::vector<MenuEntry> table = {
        {"IDM_FILE",
         "&File",
         {{"IDM_NEW", "&New...", file<&DesignerSession::save_ini>},
          {"IDM_SEP11", "-"},
          {"IDM_LOAD_INI", "&Open .INI...", file<&DesignerSession::load_ini>},
          {"IDM_SAVE_INI", "&Save .INI...", run<&DesignerSession::save_ini>},
          {"IDM_SEP12", "-"},
          {"IDM_EXIT", "E&xit", exitProgram}}},
        // Added after File: undo and redo of design edits, with their own shortcut keys.
        {"IDM_EDIT",
         "&Edit",
         {{"IDM_UNDO", "&Undo", nullptr, undoAction}, {"IDM_REDO", "&Redo", nullptr, redoAction}}},
        {"IDM_VIEW",
         "&View",
         {{"IDM_CONTROLS", "&Controls...", own<&MainWindow::showDesignWindow>},
          {"IDM_ADVANCED", "&Advanced Controls...", own<&MainWindow::showAdvancedWindow>},
          {"IDM_LOG", "&Log...", own<&MainWindow::showLogWindow>},
          {"IDM_CLEARLOG", "&Clear Log", own<&MainWindow::clearLog>}}},
        {"IDM_MAIN",
         "&Main picture",
         {{"IDM_MAIN_LOAD", "&Load...", edit<&DesignerSession::load_background>},
          {"IDM_MAIN_VIEW", "&View...", run<&DesignerSession::view_background>},
          {"IDM_MAIN_UNLOAD", "&Unload", edit<&DesignerSession::unload_background>}}},
        {"IDM_ERASEBK",
         "Erase b&ackground",
         {{"IDM_ERASEBK_LOAD", "&Load...", edit<&DesignerSession::loadEraseBK>},
          {"IDM_ERASEBK_VIEW", "&View...", run<&DesignerSession::viewEraseBK>},
          {"IDM_ERASEBK_UNLOAD", "&Unload", edit<&DesignerSession::unloadEraseBK>}}},
        {"IDM_BITMAP",
         "Bitmap &graphics",
         {{"IDM_HOUR_LOAD", "&Hour Load...", edit<&DesignerSession::LD_HBMP>},
          {"IDM_HOUR_VIEW", "&Hour View...", run<&DesignerSession::V_HBMP>},
          {"IDM_HOUR_UNLOAD", "&Hour Unload", edit<&DesignerSession::U_HBMP>},
          {"IDM_SEP_B1", "-"},
          {"IDM_MINUTE_LOAD", "&Minute Load...", edit<&DesignerSession::LD_MBMP>},
          {"IDM_MINUTE_VIEW", "&Minute View...", run<&DesignerSession::V_MBMP>},
          {"IDM_MINUTE_UNLOAD", "&Minute Unload", edit<&DesignerSession::U_MBMP>},
          {"IDM_SEP_B2", "-"},
          {"IDM_SECOND_LOAD", "&Second Load...", edit<&DesignerSession::LD_SBMP>},
          {"IDM_SECOND_VIEW", "&Second View...", run<&DesignerSession::V_SBMP>},
          {"IDM_SECOND_UNLOAD", "&Second Unload", edit<&DesignerSession::U_SBMP>},
          {"IDM_SEP_B3", "-"},
          {"IDM_TOP_LOAD", "&Top Load...", edit<&DesignerSession::LD_TBMP>},
          {"IDM_TOP_VIEW", "&Top View...", run<&DesignerSession::V_TBMP>},
          {"IDM_TOP_UNLOAD", "&Top Unload", edit<&DesignerSession::U_TBMP>},
          {"IDM_SEP_B4", "-"},
          {"IDM_TEST_LOAD", "&Test Load...", edit<&DesignerSession::LD_TESTBMP>},
          {"IDM_TEST_VIEW", "&Test View...", run<&DesignerSession::V_TESTBMP>},
          {"IDM_TEST_UNLOAD", "&Test Unload", edit<&DesignerSession::U_TESTBMP>}}},
        {"IDM_RUN",
         "Ru&n",
         {{"IDM_TEST", "&Test", run<&DesignerSession::test>},
          {"IDM_STOPTEST", "&Stop Test", run<&DesignerSession::stopTest>},
          {"IDM_PLOTCENTRE", "&Plot Centre", run<&DesignerSession::plotCentre>},
          {"IDM_SEP", "-"},
          {"IDM_SAVEAVI", "&Save AVI", run<&DesignerSession::save_avi>}}},
        // Added after Run: the other exports of the design, each with its file and options.
        {"IDM_EXPORT",
         "E&xport",
         {{"IDM_EXPORT_VIDEO", "&Video...", commands::exportVideo},
          {"IDM_EXPORT_SHEET", "&Contact Sheet...", commands::exportSheet},
          {"IDM_EXPORT_MOTION", "&Motion Plot...", commands::exportMotion}}},
        {"IDM_HELP", "He&lp", {{"IDM_ABOUT", "&About...", run<&DesignerSession::about>}}},
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
            } else if (item.source != nullptr) {
                action = item.source(*this);
                action->setText(item.caption);
                menu->addAction(action);
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
