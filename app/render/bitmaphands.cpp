#include "render/bitmaphands.h"

#include "design/picturefile.h"
#include "design/runtimeerror.h"
#include "render/handgeometry.h"
#include "render/rotationobject.h"

namespace dw::render {

using design::PictureSlot;
using design::PictureWindowModel;

const PictureWindowModel& occupiedWindow(const design::PictureSlots& pictures, PictureSlot slot) {
    // The slot keeps the window alive; callers use it within one frame, without a yield.
    const PictureWindowModel* window = pictures.window(slot).get();
    if (window == nullptr) {
        throw design::RuntimeError(design::kObjectVariableNotSet);
    }
    return *window;
}

void BitmapHands::resetCachedAngles() {
    mCachedHourAngle = kNoAngle;
    mCachedMinuteAngle = kNoAngle;
}

void BitmapHands::loadWorkPictures(const design::PictureSlots& pictures) {
    const PictureWindowModel& hour = occupiedWindow(pictures, PictureSlot::Hour);
    const PictureWindowModel& minute = occupiedWindow(pictures, PictureSlot::Minute);
    const PictureWindowModel& second = occupiedWindow(pictures, PictureSlot::Second);
    // A hand that silently vanished from every frame would be worse than ending the run.
    if (!mPicture4.copyFrom(hour.Picture1b()) || !mPicture5.copyFrom(minute.Picture1b()) ||
        !mPicture6.copyFrom(second.Picture1b())) {
        throw design::RuntimeError(design::kOutOfMemory);
    }
}

void BitmapHands::rotateInto(RotationObject& rotation, const PictureWindowModel& source,
                             design::Picture& work, double theta) {
    rotation.rotate(source.Picture1b(), work, work.width(), work.height(), theta);
}

void BitmapHands::drawTopBitmap(RotationObject& rotation, const PictureWindowModel& top,
                                design::Picture& surface, std::int16_t x, std::int16_t y,
                                std::int32_t transparentColour) {
    // The destination size is passed for form's sake: the copy never scales.
    rotation.transparentBlit(surface, x, y, surface.width(), surface.height(), top.Picture1b(), 0,
                             0, top.Picture1().width(), top.Picture1().height(), transparentColour);
}

void layWorkPicture(RotationObject& rotation, design::Picture& surface, const design::Picture& work,
                    std::int16_t x, std::int16_t y, std::int32_t transparentColour) {
    rotation.transparentBlit(surface, x, y, work.width(), work.height(), work, 0, 0, work.width(),
                             work.height(), transparentColour);
}

void BitmapHands::drawBitmapHands(RotationObject& rotation, const design::PictureSlots& pictures,
                                  design::Picture& surface, std::int16_t handX, std::int16_t handY,
                                  std::int32_t transparentColour, std::int16_t secondIndex,
                                  std::int32_t minuteIndex, std::int32_t hourIndex) {
    const PictureWindowModel& main = occupiedWindow(pictures, PictureSlot::Main);
    const PictureWindowModel& hour = occupiedWindow(pictures, PictureSlot::Hour);
    const PictureWindowModel& minute = occupiedWindow(pictures, PictureSlot::Minute);
    const PictureWindowModel& second = occupiedWindow(pictures, PictureSlot::Second);
    const PictureWindowModel& top = occupiedWindow(pictures, PictureSlot::Top);

    const double secondTheta = bitmapTheta(secondIndex);
    const double minuteTheta = bitmapTheta(minuteIndex);
    const double hourTheta = bitmapTheta(hourIndex);
    // A turn costs a pass over every pixel, so the slow hands are turned only when they moved.
    if (hourTheta != mCachedHourAngle) {
        rotateInto(rotation, hour, mPicture4, hourTheta);
    }
    if (minuteTheta != mCachedMinuteAngle) {
        rotateInto(rotation, minute, mPicture5, minuteTheta);
    }
    rotateInto(rotation, second, mPicture6, secondTheta);
    mCachedMinuteAngle = minuteTheta;
    mCachedHourAngle = hourTheta;

    surface.copyFrom(main.Picture1b());
    // Second first, hour last, so that the hour hand lies on top.
    layWorkPicture(rotation, surface, mPicture6, handX, handY, transparentColour);
    layWorkPicture(rotation, surface, mPicture5, handX, handY, transparentColour);
    layWorkPicture(rotation, surface, mPicture4, handX, handY, transparentColour);
    drawTopBitmap(rotation, top, surface, 0, 0, transparentColour);
}

} // namespace dw::render
