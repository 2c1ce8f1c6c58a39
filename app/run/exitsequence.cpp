#include "run/exitsequence.h"

#include "run/designersession.h"

namespace dw::run {

DesignWindowClose ExitSequence::closeDesignWindow() {
    if (!mSession.requestClose()) {
        mUnloadAll = false;
        return DesignWindowClose::Refused;
    }
    if (!mUnloadAll) {
        return DesignWindowClose::Hidden;
    }
    mUnload = true;
    // No run is going, so the render window is not busy and cannot refuse.
    mSession.unloadRenderWindow();
    mSession.unloadAllPictures();
    return DesignWindowClose::Unloaded;
}

bool ExitSequence::exitProgram() {
    mUnloadAll = true;
    if (closeDesignWindow() == DesignWindowClose::Refused) {
        return false;
    }
    mSession.savePreferences();
    mUnloadAll = false;
    return true;
}

} // namespace dw::run
