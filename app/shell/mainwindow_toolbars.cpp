// The two toolbars, each built from one table. Toolbar1's buttons are push buttons dispatched by
// key; tbrAppearance's keyed buttons are two-state and show the session's movement flags.
#include <string_view>
#include <vector>

#include <QToolBar>

#include "render/movementchecks.h"
#include "run/designersession.h"
#include "shell/mainwindow.h"
#include "shell/mainwindow_commands.h"
#include "shell/toolbaricons.h"

namespace dw::shell {

namespace {

using commands::Action;
using commands::file;
using commands::run;
using run::DesignerSession;

struct ButtonEntry {
    const char* key; // null: a separator
    const char* tooltip = nullptr;
    Action action = nullptr; // Toolbar1 only; the appearance buttons run their checks
};

const std::vector<ButtonEntry>& mainButtons() {
    static const std::vector<ButtonEntry> table = {
        {"IDM_NEW", "New", file<&DesignerSession::save_ini>},
        {nullptr},
        {"IDM_OPEN", "Open .INI", file<&DesignerSession::load_ini>},
        {"IDM_SAVE", "Save .INI", run<&DesignerSession::save_ini>},
        {nullptr},
        {"IDM_TEST", "Test", run<&DesignerSession::test>},
        {"IDM_STOPTEST", "Stop Test", run<&DesignerSession::stopTest>},
        {"IDM_PLOTCENTRE", "Plot Centre", run<&DesignerSession::plotCentre>},
        {nullptr},
        {"IDM_SAVEAVI", "Save .AVI", run<&DesignerSession::save_avi>},
    };
    return table;
}

const std::vector<ButtonEntry>& appearanceButtons() {
    static const std::vector<ButtonEntry> table = {
        {"IDM_SMOOTHH", "Hour hand smooth movement"},
        {"IDM_SMOOTHM", "Minute hand smooth movement"},
        {"IDM_SMOOTHS", "Second hand smooth movement"},
        {nullptr},
        {"IDM_JITTERH", "Hour hand jitter"},
        {"IDM_JITTERM", "Minute hand jitter"},
        {"IDM_JITTERS", "Second Hand Jitter"},
    };
    return table;
}

bool isAppearanceKey(std::string_view key) {
    for (std::string_view known : design::ToolbarButtons::kKeys) {
        if (known == key) {
            return true;
        }
    }
    return false;
}

QToolBar* buildToolbar(QMainWindow& window, const char* name, const char* title,
                       const std::vector<ButtonEntry>& buttons, bool twoState) {
    QToolBar* bar = window.addToolBar(title);
    bar->setObjectName(name);
    bar->setIconSize(QSize(24, 24));
    bar->setMovable(false);
    for (const ButtonEntry& button : buttons) {
        if (button.key == nullptr) {
            bar->addSeparator();
            continue;
        }
        QAction* action = bar->addAction(toolbarIcon(button.key), button.tooltip);
        action->setObjectName(button.key);
        action->setToolTip(button.tooltip);
        action->setCheckable(twoState);
    }
    return bar;
}

} // namespace

void MainWindow::buildToolbars() {
    mToolbar1 = buildToolbar(*this, "Toolbar1", "Main", mainButtons(), false);
    mAppearance = buildToolbar(*this, "tbrAppearance", "Appearance", appearanceButtons(), true);
    for (QAction* action : mToolbar1->actions()) {
        if (!action->isSeparator()) {
            connect(action, &QAction::triggered, this,
                    [this, action] { toolbarButtonClicked(action->objectName().toStdString()); });
        }
    }
    for (QAction* action : mAppearance->actions()) {
        if (!action->isSeparator()) {
            connect(action, &QAction::triggered, this, [this, action](bool pressed) {
                appearanceButtonClicked(action->objectName().toStdString(), pressed);
            });
        }
    }
}

void MainWindow::toolbarButtonClicked(const std::string& key) {
    for (const ButtonEntry& button : mainButtons()) {
        if (button.key != nullptr && button.key == key) {
            button.action(*this);
            return;
        }
    }
    runCommand([this] { session().host().showMessage("Undefined", design::MessageIcon::None); });
}

void MainWindow::appearanceButtonClicked(const std::string& key, bool pressed) {
    runCommand([this, &key, pressed] {
        // The button has toggled already; its state is the flag the checks look at.
        if (isAppearanceKey(key)) {
            session().toolbar().setToolbarButton(key, pressed ? 1 : 0);
        }
        render::appearanceButtonClicked(key, session().toolbar(), session().design(),
                                        session().host());
    });
}

void MainWindow::refreshToolbar() {
    for (QAction* action : mAppearance->actions()) {
        const std::string key = action->objectName().toStdString();
        if (isAppearanceKey(key)) {
            action->setChecked(session().toolbar().pressed(key));
        }
    }
}

} // namespace dw::shell
