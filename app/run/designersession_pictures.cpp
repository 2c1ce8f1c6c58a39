// The picture-slot operations of the designer session, under the names the menus call them by.
#include "run/designersession.h"

namespace dw::run {

using design::PictureSlot;

void DesignerSession::load_background() {
    mPictures.load(PictureSlot::Main);
}
void DesignerSession::view_background() {
    mPictures.view(PictureSlot::Main);
}
void DesignerSession::unload_background() {
    mPictures.unload(PictureSlot::Main);
}
void DesignerSession::loadEraseBK() {
    mPictures.load(PictureSlot::EraseBackground);
}
void DesignerSession::viewEraseBK() {
    mPictures.view(PictureSlot::EraseBackground);
}
void DesignerSession::unloadEraseBK() {
    mPictures.unload(PictureSlot::EraseBackground);
}
void DesignerSession::LD_HBMP() {
    mPictures.load(PictureSlot::Hour);
}
void DesignerSession::V_HBMP() {
    mPictures.view(PictureSlot::Hour);
}
void DesignerSession::U_HBMP() {
    mPictures.unload(PictureSlot::Hour);
}
void DesignerSession::LD_MBMP() {
    mPictures.load(PictureSlot::Minute);
}
void DesignerSession::V_MBMP() {
    mPictures.view(PictureSlot::Minute);
}
void DesignerSession::U_MBMP() {
    mPictures.unload(PictureSlot::Minute);
}
void DesignerSession::LD_SBMP() {
    mPictures.load(PictureSlot::Second);
}
void DesignerSession::V_SBMP() {
    mPictures.view(PictureSlot::Second);
}
void DesignerSession::U_SBMP() {
    mPictures.unload(PictureSlot::Second);
}
void DesignerSession::LD_TBMP() {
    mPictures.load(PictureSlot::Top);
}
void DesignerSession::V_TBMP() {
    mPictures.view(PictureSlot::Top);
}
void DesignerSession::U_TBMP() {
    mPictures.unload(PictureSlot::Top);
}
void DesignerSession::LD_TESTBMP() {
    mPictures.load(PictureSlot::Test);
}
void DesignerSession::V_TESTBMP() {
    mPictures.view(PictureSlot::Test);
}
void DesignerSession::U_TESTBMP() {
    mPictures.unload(PictureSlot::Test);
}

std::string DesignerSession::loadPictureSlot(PictureSlot slot, const std::string& caption,
                                             bool useGivenName, const std::string& givenName) {
    return mPictures.loadPictureSlot(slot, caption, useGivenName, givenName);
}

void DesignerSession::showMainPicture() {
    mPictures.showMainPicture();
}
bool DesignerSession::quickReloadBackground() {
    return mPictures.quickReloadBackground();
}
bool DesignerSession::eraseBackgroundFits() {
    return mPictures.eraseBackgroundFits();
}
void DesignerSession::unloadAllPictures() {
    mPictures.unloadAllPictures();
}
bool DesignerSession::checkBitmapsLoaded() {
    return mPictures.checkBitmapsLoaded();
}

} // namespace dw::run
