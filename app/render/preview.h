#pragma once
// The two single-frame previews of the design window, shown in the render window: the main
// picture laid over the erase-mode background, and the bitmap hands at fixed angles over the
// main picture. Neither changes a slot's pictures.
namespace dw::design {
struct ClockDesign;
class Host;
class PictureSlots;
} // namespace dw::design

namespace dw::render {

class BitmapHands;
class RenderWindowHolder;

inline constexpr const char* kNoBackgroundPicture = "No background picture has been loaded";

// The angles of the bitmap preview, whatever the design's time: a quarter turn for the hour
// bitmap, none for the minute bitmap, three eighths of a turn for the second bitmap.
inline constexpr double kPreviewHourTheta = 3.14 / 2;
inline constexpr double kPreviewMinuteTheta = 0;
inline constexpr double kPreviewSecondTheta = 2.355;

struct PreviewContext {
    design::Host& host;
    const design::ClockDesign& design;
    design::PictureSlots& pictures;
    RenderWindowHolder& renderWindow;
    BitmapHands& bitmapHands;
};

// cmdPreview: "No background picture has been loaded" (critical) without an erase background.
// Otherwise the render window shows the erase background with the main picture laid on it at
// the confirmed erase top-left, the erase transparent colour left out; without a main picture,
// the background alone. A run-time error (a colour box that is not a number, a component that
// cannot be created) is shown with the information icon. True when a preview was shown.
bool erasePreview(PreviewContext& context);

// cmdPreviewBMP: after checkBitmapsLoaded, the render window shows the main picture with the
// hour, minute and second bitmaps turned by the preview angles laid on it at the bitmap top-left
// (hour first, second last), then the top bitmap. A run-time error ends it with its description
// (information icon). True when a preview was shown. The next bitmap frame of a run turns
// every hand afresh, since the work pictures no longer hold the run's angles.
bool bitmapPreview(PreviewContext& context);

} // namespace dw::render
