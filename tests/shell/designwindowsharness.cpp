// Shows the design window and the advanced settings window side by side, at their start sizes,
// with a design loaded, so that they can be looked at (scripts/shoot-design-windows.sh). Not a
// main window: the two windows stand alone, and messages go to standard error.
//   dw-design-windows DESIGN.ini [--full] [--scroll FRACTION]
// --full gives each window the height of all its content; --scroll moves both scroll bars.
#include <cstdio>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "design/host.h"
#include "run/designersession.h"
#include "shell/advancedsettingswindow.h"
#include "shell/designwindow.h"
#include "shell/shellcontext.h"

namespace {

class ConsoleHost : public dw::design::Host {
public:
    void showMessage(const std::string& text, dw::design::MessageIcon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    std::string openFileDialog(const std::string&, const std::string&) override { return {}; }
    std::string saveFileDialog(const std::string&, const std::string&) override { return {}; }
    std::optional<dw::design::FontChoice> fontDialog() override { return std::nullopt; }
    void yield() override { QApplication::processEvents(); }
    std::uint32_t tickCount() override { return static_cast<std::uint32_t>(mClock.elapsed()); }
    void setStatusText(const std::string&, const std::string&) override {}
    void windowChanged(const std::string&, dw::design::WindowEvent) override {}

private:
    QElapsedTimer mClock{[] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }()};
};

void place(QWidget& window, int x, bool full, double scroll) {
    QSize size = window.sizeHint();
    auto* area = window.findChild<QScrollArea*>();
    if (full && area) {
        size.setHeight(area->widget()->sizeHint().height() + 4);
    }
    window.resize(size);
    window.move(x, 0);
    window.show();
    window.activateWindow();
    if (area) {
        // Once the event loop has laid the window out, the scroll range is known.
        QTimer::singleShot(500, area, [area, scroll] {
            QScrollBar* bar = area->verticalScrollBar();
            bar->setValue(static_cast<int>(bar->maximum() * scroll));
        });
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: dw-design-windows DESIGN.ini [--full] [--scroll F]\n");
        return 2;
    }
    const bool full = args.contains("--full");
    const int scrollAt = static_cast<int>(args.indexOf("--scroll"));
    const double scroll =
        scrollAt > 0 && scrollAt + 1 < args.size() ? args[scrollAt + 1].toDouble() : 0.0;
    ConsoleHost host;
    dw::run::DesignerSession session(host);
    dw::shell::ShellContext context(session);
    dw::shell::DesignWindow design(context);
    dw::shell::AdvancedSettingsWindow advanced(context);
    // No main window here to hold the "&Edit" menu: the windows carry the undo keys themselves.
    for (QWidget* window : {static_cast<QWidget*>(&design), static_cast<QWidget*>(&advanced)}) {
        window->addAction(context.undoHistory().undoAction());
        window->addAction(context.undoHistory().redoAction());
    }
    context.runFileCommand([&] { return session.loadIniFile(args[1].toStdString()); });
    std::fputs(session.log().text().c_str(), stderr);

    place(design, 0, full, scroll);
    place(advanced, design.width() + 20, full, scroll);
    return app.exec();
}
