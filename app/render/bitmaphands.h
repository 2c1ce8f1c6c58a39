#pragma once
// Bitmap hands: the hour, minute and second bitmaps turned to their hands' angles by the rotation
// object into three work pictures, laid over a clean face with one colour left out, and the top
// bitmap over everything. The work pictures and the angles they were last turned to live here,
// on the session, between frames, runs and previews.
#include <cstdint>

#include "design/picture.h"
#include "design/pictureslots.h"

namespace dw::render {

class RotationObject;

// The angle a run start sets the cached angles to, so that its first frame turns every hand.
inline constexpr double kNoAngle = -1;

class BitmapHands {
public:
    BitmapHands() = default;

    BitmapHands(const BitmapHands&) = delete;
    BitmapHands& operator=(const BitmapHands&) = delete;

    // The work pictures of the hour, minute and second hands.
    design::Picture& Picture4() { return mPicture4; }
    design::Picture& Picture5() { return mPicture5; }
    design::Picture& Picture6() { return mPicture6; }

    double cachedHourAngle() const { return mCachedHourAngle; }
    double cachedMinuteAngle() const { return mCachedMinuteAngle; }
    // Both cached angles to kNoAngle: the next frame turns the hour and minute bitmaps again.
    void resetCachedAngles();

    // Picture4, Picture5 and Picture6 take copies of the hour, minute and second slots' stored
    // pictures, and so their sizes. Throws RuntimeError("Object variable or With block variable
    // not set") for an empty slot, before any work picture changes; RuntimeError("Out of memory")
    // when a copy cannot be made.
    void loadWorkPictures(const design::PictureSlots& pictures);

    // Turns the window's stored picture by theta radians (anticlockwise) into the work picture,
    // with the work picture's width and height for both. Pixels the rotation does not reach keep
    // what the work picture held. Throws RuntimeError when the call fails.
    static void rotateInto(RotationObject& rotation, const design::PictureWindowModel& source,
                           design::Picture& work, double theta);

    // Lays the top window's stored picture, at the size of its visible picture, on the surface
    // at (x, y), leaving out the transparent colour. Throws RuntimeError when the call fails.
    static void drawTopBitmap(RotationObject& rotation, const design::PictureWindowModel& top,
                              design::Picture& surface, std::int16_t x, std::int16_t y,
                              std::int32_t transparentColour);

    // One frame on the surface: turns the second bitmap, and the hour and minute bitmaps when
    // their angle changed since they were last turned; gives the surface the main picture's
    // stored picture; lays the second, minute and hour work pictures at (handX, handY) and the
    // top bitmap at (0, 0), each without the transparent colour. Throws RuntimeError("Object
    // variable or With block variable not set") when a slot is empty, before anything changes,
    // or the description of a failing component call.
    void drawBitmapHands(RotationObject& rotation, const design::PictureSlots& pictures,
                         design::Picture& surface, std::int16_t handX, std::int16_t handY,
                         std::int32_t transparentColour, std::int16_t secondIndex,
                         std::int32_t minuteIndex, std::int32_t hourIndex);

private:
    design::Picture mPicture4, mPicture5, mPicture6;
    double mCachedHourAngle = kNoAngle;
    double mCachedMinuteAngle = kNoAngle;
};

// The window a slot holds, for one frame. Throws RuntimeError("Object variable or With block
// variable not set") when the slot is empty.
const design::PictureWindowModel& occupiedWindow(const design::PictureSlots& pictures,
                                                 design::PictureSlot slot);

// Lays a whole work picture on the surface at (x, y), leaving out the transparent colour.
void layWorkPicture(RotationObject& rotation, design::Picture& surface, const design::Picture& work,
                    std::int16_t x, std::int16_t y, std::int32_t transparentColour);

} // namespace dw::render
