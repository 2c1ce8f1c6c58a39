#include "render/framecomposer.h"

#include <utility>

#include "design/runtimeerror.h"
#include "render/bitmaphands.h"
#include "render/handgeometry.h"
#include "render/renderwindowholder.h"
#include "render/surfacepainter.h"

namespace dw::render {

using design::HeldPictureWindow;
using design::PictureSlot;

RotationObject prepareBitmapHands(FrameContext& context) {
    const design::PictureWindowModel& main = occupiedWindow(context.pictures, PictureSlot::Main);
    const design::PictureWindowModel& hour = occupiedWindow(context.pictures, PictureSlot::Hour);
    context.renderWindow.get().showPicture(main.Picture1b());
    context.bitmapHands.loadWorkPictures(context.pictures);
    RotationObject rotation = RotationObject::create();
    rotation.initializeRotation(hour.Picture1());
    context.bitmapHands.resetCachedAngles();
    return rotation;
}

FrameComposer::FrameComposer(FrameContext context, NormalRunSettings settings,
                             RotationObject rotation)
    : mContext(context), mSettings(std::move(settings)), mRotation(std::move(rotation)),
      mMain(context.pictures, PictureSlot::Main) {
    if (mSettings.bitmapHands) {
        mHour = HeldPictureWindow(context.pictures, PictureSlot::Hour);
        mMinute = HeldPictureWindow(context.pictures, PictureSlot::Minute);
        mSecond = HeldPictureWindow(context.pictures, PictureSlot::Second);
        mTop = HeldPictureWindow(context.pictures, PictureSlot::Top);
    }
}

void FrameComposer::checkWindows() const {
    // A load or an unload during a yield may have taken a picture away or put another in its
    // place; either ends the run rather than drawing with pictures it did not start with.
    mMain.check();
    if (mSettings.bitmapHands) {
        mHour.check();
        mMinute.check();
        mSecond.check();
        mTop.check();
    }
}

design::Picture& FrameComposer::surface() {
    checkWindows();
    if (mSettings.bitmapHands) {
        return mContext.renderWindow.get().Picture1();
    }
    return mMain->Picture1();
}

FrameComposer::Changes FrameComposer::changesNow() const {
    return {mMain.get(), mMain->changeCount(), mContext.pictures.picture2Changes()};
}

void FrameComposer::restoreFace() {
    checkWindows();
    // Repainting the whole face after every frame would cost a view more than the frame does.
    if (mLastHands && mLastHands->after == changesNow()) {
        mContext.pictures.quickReloadBackground(mLastHands->area);
    } else {
        mContext.pictures.quickReloadBackground();
    }
    mLastHands.reset();
    mRestored = changesNow();
}

void FrameComposer::drawHands(const HandIndices& indices) {
    checkWindows();
    if (mSettings.bitmapHands) {
        RenderWindowModel& window = mContext.renderWindow.get();
        mContext.bitmapHands.drawBitmapHands(
            mRotation, mContext.pictures, window.Picture1(), mSettings.bitmapX, mSettings.bitmapY,
            mSettings.bitmapTransparentColour, indices.second, indices.minute, indices.hour);
        window.pictureChanged();
        return;
    }
    QRect drawn;
    {
        SurfacePainter painter(mMain->Picture1());
        drawLineHands(painter, mContext.geometry.tables(), mContext.design, mSettings.lines,
                      indices);
        drawn = painter.touched();
    }
    // Hands drawn on the face just restored change only their own area; hands drawn over
    // anything else leave what Picture1 holds unknown.
    const bool onRestoredFace = mRestored && *mRestored == changesNow();
    mRestored.reset();
    if (onRestoredFace) {
        mMain->pictureChanged(drawn);
        mLastHands = HandsArea{changesNow(), drawn};
    } else {
        mMain->pictureChanged();
        mLastHands.reset();
    }
}

void FrameComposer::drawFrame(const HandIndices& indices) {
    restoreFace();
    drawHands(indices);
}

} // namespace dw::render
