#include "shell/shellprogram.h"

#include <QFileInfo>

#include "design/hosttap.h"
#include "run/designersession.h"
#include "shell/mainwindow.h"
#include "shell/qthost.h"
#include "shell/shellcontext.h"

namespace dw::shell {

ShellProgram::ShellProgram(std::unique_ptr<QtHost> host)
    : mHost(host ? std::move(host) : std::make_unique<QtHost>()),
      mTap(std::make_unique<design::HostTap>(*mHost)),
      mSession(std::make_unique<run::DesignerSession>(*mTap)),
      mContext(std::make_unique<ShellContext>(*mSession, mTap.get())),
      mMainWindow(std::make_unique<MainWindow>(*mContext, *mHost)) {}

// The windows go before the session whose models they show, the session before its host.
ShellProgram::~ShellProgram() {
    mMainWindow.reset();
    mContext.reset();
    mSession.reset();
    mTap.reset();
}

bool ShellProgram::start(const std::vector<std::string>& designFiles) {
    if (!mMainWindow->start()) {
        return false;
    }
    for (const std::string& file : designFiles) {
        // The load flow takes the design's folder from the name, so it must be a full one.
        const std::string path =
            QFileInfo(QString::fromStdString(file)).absoluteFilePath().toStdString();
        mContext->runFileCommand([this, &path] { return mSession->loadIniFile(path); });
    }
    return true;
}

} // namespace dw::shell
