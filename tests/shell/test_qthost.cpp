// The Qt host's message boxes: the program's own under its title, the components' under theirs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "dw/platform/messagebox.h"
#include "run/designersession.h"
#include "shell/qthost.h"

namespace {

// Closes the next message box as soon as it is up and reports its title.
QString titleOfNextMessageBox(const std::function<void()>& show) {
    QString title = "(no message box)";
    QTimer::singleShot(0, [&title] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            box->accept();
        }
    });
    show();
    return title;
}

TEST(QtHostTest, messageBoxesCarryTheProgramsTitleOrTheComponentsCaption) {
    dw::shell::QtHost host;
    dw::run::DesignerSession session(host);
    EXPECT_EQ(titleOfNextMessageBox([&] {
                  host.showMessage("Please load a picture first",
                                   dw::design::MessageIcon::Information);
              }),
              "Dialwright");
    EXPECT_EQ(titleOfNextMessageBox([] {
                  dw::platform::MessageBoxA(0, "AVIFileOpen failed.\n", "Fatal Error",
                                            dw::platform::MB_OK | dw::platform::MB_ICONERROR);
              }),
              "Fatal Error");
}

} // namespace
