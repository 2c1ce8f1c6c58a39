#include "design/designfileflow.h"

#include "design/clockdesign.h"
#include "design/designlog.h"
#include "design/designreader.h"
#include "design/designupgrade.h"
#include "design/designwriter.h"
#include "design/filestat.h"
#include "design/host.h"
#include "design/inifile.h"
#include "design/picturepaths.h"
#include "design/pictureslots.h"
#include "design/runtimeerror.h"

namespace dw::design {

FileFlowResult DesignFileFlow::load_ini() {
    const std::string fileName = mCx.host.openFileDialog(kIniFilter, mCx.lastDir);
    if (fileName.empty()) {
        return FileFlowResult::Cancelled;
    }
    return loadIniFile(fileName);
}

FileFlowResult DesignFileFlow::loadIniFile(const std::string& fileName) {
    clearForLoad(fileName);
    mCx.iniDirectory = directoryOf(fileName);
    try {
        const IniFile file(mCx.store, fileName);
        readDesign(file, mCx.design, mCx.toolbar,
                   LoadHooks{[this](double from, double to) { upgradeIni(from, to); },
                             [this] { loadPictures(); }});
        if (mCx.refreshCentre) {
            mCx.refreshCentre();
        }
    } catch (const RuntimeError& error) {
        // The load stops where the error arose; whatever was read before stays in the design.
        mCx.host.showMessage(error.description(), MessageIcon::Information);
        return FileFlowResult::Failed;
    }
    if (!mCx.pictures.eraseBackgroundFits()) {
        mCx.pictures.unloadAllPictures();
    }
    mCx.lastDir = mCx.iniDirectory;
    return FileFlowResult::Done;
}

void DesignFileFlow::clearForLoad(const std::string& fileName) {
    mCx.pictures.unloadAllPictures();
    resetDesign(mCx.design, mCx.toolbar);
    mCx.log.clearlogline();
    if (mCx.unloadRenderWindow) {
        mCx.unloadRenderWindow();
    }
    mCx.design.displayOrder = "shm";
    mCx.log.addlogline("Load .INI " + fileName);
}

void DesignFileFlow::loadPictures() {
    ClockDesign& d = mCx.design;
    PictureSlots& pics = mCx.pictures;
    // Each name field takes what the loader returns: empty when it loaded nothing.
    d.hourbitmap = pics.loadPictureSlot(PictureSlot::Hour, "Hour bitmap", true, d.hourbitmap);
    d.minutebitmap =
        pics.loadPictureSlot(PictureSlot::Minute, "Minute bitmap", true, d.minutebitmap);
    d.secondbitmap =
        pics.loadPictureSlot(PictureSlot::Second, "Second bitmap", true, d.secondbitmap);
    d.topbitmap = pics.loadPictureSlot(PictureSlot::Top, "Top bitmap", true, d.topbitmap);
    d.image = pics.loadPictureSlot(PictureSlot::Main, "Main background bitmap", true, d.image);
    pics.showMainPicture();
    d.background = pics.loadPictureSlot(PictureSlot::EraseBackground,
                                        "Erase mode background bitmap", true, d.background);
}

FileFlowResult DesignFileFlow::save_ini() {
    // No initial folder: only the load dialog remembers one.
    const std::string fileName = mCx.host.saveFileDialog(kIniFilter, {});
    if (fileName.empty()) {
        return FileFlowResult::Cancelled;
    }
    return saveIniFile(fileName);
}

FileFlowResult DesignFileFlow::saveIniFile(const std::string& fileName) {
    mCx.iniDirectory = directoryOf(fileName);
    IniFile file(mCx.store, fileName);
    // The keys are saved together, so a refused save leaves the old file whole.
    if (!writeDesign(file, mCx.design, mCx.toolbar)) {
        mCx.host.showMessage(kIniWriteFailed, MessageIcon::Critical);
        return FileFlowResult::Failed;
    }
    return FileFlowResult::Done;
}

void DesignFileFlow::upgradeIni(double fromVersion, double toVersion) {
    mCx.log.addlogline(upgradeLine(fromVersion, toVersion));
    ClockDesign& d = mCx.design;
    int warnings = 0;
    d.background = cleanIniString(d.background);
    if (hasPictureName(d.background) && !checkPictureInIniDir(d.background)) {
        warnings = 1;
    }
    d.image = cleanIniString(d.image);
    if (hasPictureName(d.image) && !checkPictureInIniDir(d.image)) {
        ++warnings;
    }
    mCx.log.addlogline(upgradeCountLine(0, warnings));
}

bool DesignFileFlow::checkPictureInIniDir(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    if (stat(mCx.iniDirectory + name) || directoryOf(name) == mCx.iniDirectory) {
        return true;
    }
    mCx.log.addlogline(pictureCopyWarning(name, mCx.iniDirectory));
    return false;
}

} // namespace dw::design
