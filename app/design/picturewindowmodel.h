#pragma once
// The model of a picture window (frmGenBitmap): the visible picture, its clean copy, caption,
// visibility and close rule, and the circle tool's state. A Qt shell draws it and follows it
// through Host::windowChanged, under the window's name (the caption of its slot).
#include <cstdint>
#include <optional>
#include <string>

#include <QRect>

#include "design/picture.h"

namespace dw::design {

class Host;

// The circle tool's state on one picture window; idle when the window is created, kept while
// the window is hidden.
struct CircleToolState {
    bool centreSet = false;
    bool radiusSet = false;
    std::int16_t centreX = 0;
    std::int16_t centreY = 0;
    std::int16_t radius = 0;
};

class PictureWindowModel {
public:
    // The window class the shell builds for this model.
    static constexpr const char* kWindowClass = "frmGenBitmap";

    // A hidden, empty window that refuses to close. `name` is the slot caption under which the
    // host is told of changes; it is also the caption until init sets one.
    PictureWindowModel(Host& host, std::string name);

    PictureWindowModel(const PictureWindowModel&) = delete;
    PictureWindowModel& operator=(const PictureWindowModel&) = delete;

    // Loads the picture file `strBMP` into Picture1 and a clean copy into Picture1b, and takes
    // the caption `strCap`. On a failure (missing file, unreadable picture) shows its description
    // with the information icon and returns false; both pictures are then empty.
    bool init(const std::string& strCap, const std::string& strBMP);

    // Hides the window and lets it close; its slot forgets it next. The host is told Unloaded.
    void releaseAll();

    // Shows the window (again) and brings it to the front: the host is told Shown.
    void show();
    // Hides the window; the host is told Hidden when it was visible.
    void hide();

    // The window's close button. Refused (the window is hidden instead) unless allowClose;
    // true when the window may close.
    bool requestClose();

    // Picture1 takes the picture of Picture1b, wiping whatever was drawn on it.
    void restore();

    // Tells the host that Picture1 was drawn on or replaced, so that its view repaints.
    void pictureChanged();
    // The same for a change known to lie within `area` (picture pixels): the view may repaint
    // only that much.
    void pictureChanged(const QRect& area);
    // Records a change within `area` without telling the host yet: the next pictureChanged
    // tells it together with its own, so that a view repaints one rectangle.
    void pictureChangedLater(const QRect& area);
    // What changed since the view last asked: a rectangle, or nullopt for the whole picture
    // (also when nothing was recorded). Asking starts the record afresh.
    std::optional<QRect> takeChangedArea();
    // Counts the changes told; a drawer that sees it unchanged since its own last change knows
    // nobody else drew on Picture1 in between.
    std::uint64_t changeCount() const { return mChangeCount; }

    Picture& Picture1() { return mPicture1; }
    const Picture& Picture1() const { return mPicture1; }
    Picture& Picture1b() { return mPicture1b; }
    const Picture& Picture1b() const { return mPicture1b; }

    // The picture's size in pixels, the scale size of Picture1.
    int scaleWidth() const { return mPicture1.width(); }
    int scaleHeight() const { return mPicture1.height(); }

    const std::string& name() const { return mName; }
    const std::string& caption() const { return mCaption; }
    bool allowClose() const { return mAllowClose; }
    bool isVisible() const { return mVisible; }

    CircleToolState& circleTool() { return mCircleTool; }
    const CircleToolState& circleTool() const { return mCircleTool; }

private:
    Host& mHost;
    std::string mName;
    std::string mCaption;
    Picture mPicture1;
    Picture mPicture1b;
    bool mAllowClose = false;
    bool mVisible = false;
    CircleToolState mCircleTool;
    std::uint64_t mChangeCount = 0;
    bool mWholeChanged = false;
    QRect mChangedArea;
};

} // namespace dw::design
