#pragma once
// One frame of a normal-mode run: the clean face restored and the hands drawn on the frame
// surface, with the settings read at the run start. A run makes one composer and calls it once
// per step; a still picture of a run's first frame uses it the same way.
#include <cstdint>
#include <optional>

#include <QRect>

#include "design/pictureslots.h"
#include "render/normalrunsettings.h"
#include "render/rotationobject.h"

namespace dw::design {
struct ClockDesign;
class Picture;
} // namespace dw::design

namespace dw::render {

class BitmapHands;
class HandGeometry;
class RenderWindowHolder;
struct HandIndices;

// What frames are composed from and on; everything must outlive the composer. The design is
// read at each frame for what may change during a run (reflection boxes, drawing order).
struct FrameContext {
    const design::ClockDesign& design;
    const HandGeometry& geometry;
    design::PictureSlots& pictures;
    RenderWindowHolder& renderWindow;
    BitmapHands& bitmapHands;
};

// The bitmap-hand part of a run start, after the bitmap check: shows the main picture's stored
// picture in the render window, loads the work pictures, creates the rotation object and
// initialises it with the hour bitmap's picture, and resets the cached angles. Throws
// RuntimeError for an empty slot or a component that cannot be created or fails.
RotationObject prepareBitmapHands(FrameContext& context);

class FrameComposer {
public:
    // Takes the slots' windows as they are now (the main picture; in bitmap mode also the hour,
    // minute, second and top bitmaps) and, in bitmap mode, the rotation object, which it
    // releases when it goes.
    FrameComposer(FrameContext context, NormalRunSettings settings,
                  RotationObject rotation = RotationObject());

    const NormalRunSettings& settings() const { return mSettings; }

    // The frame surface now: the main picture window's Picture1, or in bitmap mode the render
    // window's Picture1 (a fresh window if it was unloaded). Ask again after every yield.
    // Throws RuntimeError("Object variable or With block variable not set") when a picture the
    // run started with has left its slot.
    design::Picture& surface();

    // The main picture back to its clean copy (quickReloadBackground). Throws like surface().
    void restoreFace();

    // Draws the hands at the indices on the surface and tells its view. Throws like surface(),
    // and RuntimeError for an index outside the tables, a value past its integer or a failing
    // component call.
    void drawHands(const HandIndices& indices);

    // restoreFace, then drawHands: one whole frame.
    void drawFrame(const HandIndices& indices);

    // Lets the rotation object go (a run's closing step); the destructor does it otherwise.
    void releaseRotation() noexcept { mRotation.release(); }

private:
    void checkWindows() const;
    // The change counts of the main window and of the background now.
    struct Changes {
        const design::PictureWindowModel* window = nullptr;
        std::uint64_t windowChanges = 0;
        std::uint64_t backgroundChanges = 0;
        bool operator==(const Changes&) const = default;
    };
    Changes changesNow() const;

    FrameContext mContext;
    NormalRunSettings mSettings;
    RotationObject mRotation;
    design::HeldPictureWindow mMain, mHour, mMinute, mSecond, mTop;
    // Views repaint only what a frame changed. That is known while Picture1 is the clean face
    // as this composer restored it (plus the hands it drew on it since), which the change
    // counts vouch for: a tool, a load or a preview in between counts as a change.
    struct HandsArea {
        Changes after;
        QRect area;
    };
    std::optional<Changes> mRestored;    // the face restored, nothing drawn on it since
    std::optional<HandsArea> mLastHands; // the face restored, then these hands drawn
};

} // namespace dw::render
