#pragma once
// The model of the render window (frmRender): one picture on which previews and bitmap-hand or
// composite frames are shown, and the busy flag a run sets so that the window is not closed
// under it. A Qt shell draws it and follows it through Host::windowChanged under its name.
#include "design/picture.h"

namespace dw::design {
class Host;
}

namespace dw::render {

// The window's name, under which the host is told of its changes.
inline constexpr const char* kRenderWindow = "frmRender";
// Refusal of a close while a run shows its frames in the window.
inline constexpr const char* kCannotExit = "Cannot exit at this time";

class RenderWindowModel {
public:
    // A hidden window with an empty picture and bSaving false, as the window loads.
    explicit RenderWindowModel(design::Host& host);

    RenderWindowModel(const RenderWindowModel&) = delete;
    RenderWindowModel& operator=(const RenderWindowModel&) = delete;

    // "Show in render window": Picture1 takes a copy of the picture; the window is shown (not
    // modal), brought to the front and sized to the picture by its view. The picture is copied,
    // so the caller's stays as it was. An allocation failure leaves Picture1 empty.
    void showPicture(const design::Picture& picture);

    void show();
    void hide();

    // The close button or an unload: refused with "Cannot exit at this time" (information) while
    // bSaving is true; otherwise true, and the window may go.
    bool requestClose();

    // The window goes: hidden, and its view is told Unloaded. Its holder forgets it next.
    void unload();

    // Tells the view that Picture1 was drawn on, so that it repaints.
    void pictureChanged();

    design::Picture& Picture1() { return mPicture1; }
    const design::Picture& Picture1() const { return mPicture1; }
    bool isVisible() const { return mVisible; }

    // Set by a run that shows its frames here, before its first frame; cleared in its closing
    // steps. While true the window refuses to close.
    bool bSaving = false;

private:
    design::Host& mHost;
    design::Picture mPicture1;
    bool mVisible = false;
};

} // namespace dw::render
