#include "render/preview.h"

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/pictureslots.h"
#include "design/runtimeerror.h"
#include "render/bitmaphands.h"
#include "render/handcolour.h"
#include "render/renderwindowholder.h"
#include "render/rotationobject.h"

namespace dw::render {

using design::PictureSlot;
using design::PictureWindowModel;

namespace {

void showError(design::Host& host, const design::RuntimeError& error) {
    host.showMessage(error.description(), design::MessageIcon::Information);
}

void composeErasePreview(PreviewContext& cx) {
    RotationObject rotation = RotationObject::create();
    const std::int32_t colour = colourOfTexts(cx.design.transr, cx.design.transg, cx.design.transb);
    RenderWindowModel& window = cx.renderWindow.get();
    window.showPicture(occupiedWindow(cx.pictures, PictureSlot::EraseBackground).Picture1b());
    const auto main = cx.pictures.window(PictureSlot::Main);
    if (!main) {
        // Nothing to lay over the background: the preview is the background alone.
        return;
    }
    const design::Picture& face = main->Picture1();
    rotation.transparentBlit(window.Picture1(), cx.design.eraseTopLeftX, cx.design.eraseTopLeftY,
                             face.width(), face.height(), face, 0, 0, face.width(), face.height(),
                             colour);
    window.pictureChanged();
}

void composeBitmapPreview(PreviewContext& cx) {
    RotationObject rotation = RotationObject::create();
    const PictureWindowModel& hour = occupiedWindow(cx.pictures, PictureSlot::Hour);
    rotation.initializeRotation(hour.Picture1());
    const std::int32_t colour =
        colourOfTexts(cx.design.bmptransr, cx.design.bmptransg, cx.design.bmptransb);
    RenderWindowModel& window = cx.renderWindow.get();
    window.showPicture(occupiedWindow(cx.pictures, PictureSlot::Main).Picture1b());

    BitmapHands& hands = cx.bitmapHands;
    // From here the work pictures hold the preview's angles, not those a run last used.
    hands.resetCachedAngles();
    hands.loadWorkPictures(cx.pictures);
    BitmapHands::rotateInto(rotation, hour, hands.Picture4(), kPreviewHourTheta);
    BitmapHands::rotateInto(rotation, occupiedWindow(cx.pictures, PictureSlot::Minute),
                            hands.Picture5(), kPreviewMinuteTheta);
    BitmapHands::rotateInto(rotation, occupiedWindow(cx.pictures, PictureSlot::Second),
                            hands.Picture6(), kPreviewSecondTheta);
    const std::int16_t x = cx.design.bmptopx;
    const std::int16_t y = cx.design.bmptopy;
    design::Picture& surface = window.Picture1();
    layWorkPicture(rotation, surface, hands.Picture4(), x, y, colour);
    layWorkPicture(rotation, surface, hands.Picture5(), x, y, colour);
    layWorkPicture(rotation, surface, hands.Picture6(), x, y, colour);
    BitmapHands::drawTopBitmap(rotation, occupiedWindow(cx.pictures, PictureSlot::Top), surface, 0,
                               0, colour);
    window.pictureChanged();
}

} // namespace

bool erasePreview(PreviewContext& context) {
    if (!context.pictures.isBMPobject(PictureSlot::EraseBackground)) {
        context.host.showMessage(kNoBackgroundPicture, design::MessageIcon::Critical);
        return false;
    }
    try {
        composeErasePreview(context);
        return true;
    } catch (const design::RuntimeError& error) {
        showError(context.host, error);
        return false;
    }
}

bool bitmapPreview(PreviewContext& context) {
    if (!context.pictures.checkBitmapsLoaded()) {
        return false;
    }
    try {
        composeBitmapPreview(context);
        return true;
    } catch (const design::RuntimeError& error) {
        showError(context.host, error);
        return false;
    }
}

} // namespace dw::render
