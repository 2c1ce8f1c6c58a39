// The design-file operations of the designer session, its log, the per-user preferences and the
// About message.
#include "design/host.h"
#include "design/numbertext.h"
#include "run/designersession.h"

namespace dw::run {

using design::FileFlowResult;

namespace {
constexpr double kProgramVersion = 0.9;
}

design::DesignFileFlow DesignerSession::fileFlow() {
    return design::DesignFileFlow(
        design::DesignFileContext{mHost, *mProfileStore, mDesign, mToolbar, mPictures, mLog,
                                  mIniDirectory, mLastDir, [this] { refreshCentre(); },
                                  [this] {
                                      if (mUnloadRenderWindow) {
                                          mUnloadRenderWindow();
                                      }
                                  }});
}

FileFlowResult DesignerSession::load_ini() {
    return fileFlow().load_ini();
}
FileFlowResult DesignerSession::save_ini() {
    return fileFlow().save_ini();
}
FileFlowResult DesignerSession::loadIniFile(const std::string& fileName) {
    return fileFlow().loadIniFile(fileName);
}
FileFlowResult DesignerSession::saveIniFile(const std::string& fileName) {
    return fileFlow().saveIniFile(fileName);
}
void DesignerSession::upgradeIni(double fromVersion, double toVersion) {
    fileFlow().upgradeIni(fromVersion, toVersion);
}
bool DesignerSession::checkPictureInIniDir(const std::string& name) {
    return fileFlow().checkPictureInIniDir(name);
}

void DesignerSession::usePreferences(platform::ProfileStore& store, std::string file) {
    mPreferencesStore = &store;
    mPreferencesFile = std::move(file);
}

design::Preferences DesignerSession::preferences() {
    // The default file is looked up at each use, so the environment of the moment decides.
    return design::Preferences(*mPreferencesStore,
                               mPreferencesFile.value_or(design::defaultPreferencesFile()));
}

void DesignerSession::loadPreferences() {
    mLastDir = preferences().loadLastDir();
}

bool DesignerSession::savePreferences() {
    if (!mPreferencesFile) {
        // The user's configuration folder may not exist yet on a first run.
        design::makeFolderFor(design::defaultPreferencesFile());
    }
    return preferences().saveLastDir(mLastDir);
}

void DesignerSession::about() {
    // The number is shown without its zero (".9"), which the "v0" before it stands in for.
    mHost.showMessage("Dialwright v0" + design::shortestDecimal(kProgramVersion) + "\r\n" +
                          "Written by the Dialwright developers.",
                      design::MessageIcon::Information);
}

} // namespace dw::run
