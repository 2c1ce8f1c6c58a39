#pragma once
// The windowed program put together: the Qt host, the designer session, the shell context and
// the main window, in the order each needs the other. main() only makes the QApplication.
#include <memory>
#include <string>
#include <vector>

#include "shell/qthost.h"

namespace dw::design {
class HostTap;
}
namespace dw::run {
class DesignerSession;
}

namespace dw::shell {

class MainWindow;
class ShellContext;

class ShellProgram {
public:
    // Builds everything hidden. A QApplication must exist. `host` replaces the Qt host (tests
    // answer its dialogs); null makes the real one.
    explicit ShellProgram(std::unique_ptr<QtHost> host = nullptr);
    ~ShellProgram();

    ShellProgram(const ShellProgram&) = delete;
    ShellProgram& operator=(const ShellProgram&) = delete;

    // Start-up, then the design named on the command line (if any), loaded as File -> Open
    // loads one. False when the components are missing: the program must end with a failure.
    bool start(const std::vector<std::string>& designFiles = {});

    QtHost& host() { return *mHost; }
    run::DesignerSession& session() { return *mSession; }
    ShellContext& context() { return *mContext; }
    MainWindow& mainWindow() { return *mMainWindow; }

private:
    std::unique_ptr<QtHost> mHost;
    // The session's host: the Qt host, with runs' messages kept while an export asks.
    std::unique_ptr<design::HostTap> mTap;
    std::unique_ptr<run::DesignerSession> mSession;
    std::unique_ptr<ShellContext> mContext;
    std::unique_ptr<MainWindow> mMainWindow;
};

} // namespace dw::shell
