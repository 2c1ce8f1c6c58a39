#pragma once
// The seven picture slots of a design session. Each is empty or holds one picture window; the
// six design slots name their file in the design record, the test slot keeps its own name. The
// design window's Picture2, the clean copy of the main picture, lives here too.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "design/picture.h"
#include "design/picturewindowmodel.h"

namespace dw::design {

class Host;
struct ClockDesign;

enum class PictureSlot { Main, EraseBackground, Hour, Minute, Second, Top, Test };

inline constexpr int kPictureSlotCount = 7;

// The caption of a slot's window, e.g. "Main background bitmap", "Hour bitmap", "Test".
const char* slotCaption(PictureSlot slot);

// The design window, whose Picture2 the host is told about.
inline constexpr const char* kDesignWindow = "frmControls";

// What a run is told when a picture window it was using left its slot during a yield.
inline constexpr const char* kObjectVariableNotSet =
    "Object variable or With block variable not set";

class PictureSlots {
public:
    // All slots empty. `design` holds six of the file-name variables; `iniDirectory` is read at
    // each use. Both must outlive the slots.
    PictureSlots(Host& host, ClockDesign& design, const std::string& iniDirectory);
    ~PictureSlots();

    PictureSlots(const PictureSlots&) = delete;
    PictureSlots& operator=(const PictureSlots&) = delete;

    // True when the slot holds a window (even one whose picture failed to load).
    bool isBMPobject(PictureSlot slot) const { return window(slot) != nullptr; }

    // The slot's window, null when empty. Shared, so that a run holding it across a yield keeps
    // it alive should a command unload or replace it meanwhile.
    std::shared_ptr<PictureWindowModel> window(PictureSlot slot) const;

    // True when the slot holds exactly this window; a cheap check for a run after each yield.
    bool holds(PictureSlot slot, const PictureWindowModel* window) const;

    // The slot's file-name variable ("image", "background", "hourbitmap", ...; the test slot's
    // own full path).
    std::string& fileName(PictureSlot slot);
    const std::string& fileName(PictureSlot slot) const;

    // The design window's copy of the main picture.
    // Handing it out for writing counts as a change of it.
    Picture& Picture2() {
        ++mPicture2Changes;
        return mPicture2;
    }
    const Picture& Picture2() const { return mPicture2; }
    // Counts the changes of Picture2, the background a run restores before each frame.
    std::uint64_t picture2Changes() const { return mPicture2Changes; }

    // The open-file dialog for a picture; the chosen path or empty.
    std::string pickBitmapFile();

    // The dialog rule of the design directory; a bare name or empty (with its message).
    std::string relativePictureName();

    // Puts a new window in the slot and loads it from the given name (useGivenName, as the
    // design load does; a name under 2 characters loads nothing) or from the dialog. Returns the
    // name now held, or empty when nothing was loaded. A missing or unreadable picture leaves
    // an empty window in the slot and still returns the name.
    std::string loadPictureSlot(PictureSlot slot, const std::string& caption, bool useGivenName,
                                const std::string& givenName);

    // Shows the slot's window and brings it to the front; nothing when the slot is empty.
    void viewPictureSlot(PictureSlot slot);

    // Lets the slot's window go (releaseAll) and empties the slot; nothing when empty.
    void releasePictureSlot(PictureSlot slot);

    // The load, view and unload operations of the menus, by slot. Load does nothing while the
    // slot is occupied; unload clears the file name even when the slot is empty.
    void load(PictureSlot slot);
    void view(PictureSlot slot);
    void unload(PictureSlot slot);

    // Picture2 takes the main picture window's Picture1; nothing when the main slot is empty.
    void showMainPicture();

    // The main picture window's Picture1 takes Picture2, wiping marks drawn on it. False, and
    // nothing done, when the main slot is empty.
    bool quickReloadBackground();
    // The same, for a caller that knows Picture1 differed from Picture2 only within `area` and
    // draws on it next: the view is told of that area with the drawing's own change.
    bool quickReloadBackground(const QRect& area);

    // False, after the critical message "Cannot load an erase background smaller than the
    // foreground in this version", when both pictures are loaded and the erase background is
    // narrower or lower than the main picture; true otherwise.
    bool eraseBackgroundFits();

    // Unloads every slot: hour, minute, second, top, test, erase background, main picture.
    void unloadAllPictures();

    // True when the hour, minute, second and top bitmaps are all loaded; otherwise the critical
    // message of the first one missing ("Hour bitmap has not been loaded", ...) and false.
    bool checkBitmapsLoaded();

private:
    std::shared_ptr<PictureWindowModel>& holder(PictureSlot slot);

    Host& mHost;
    ClockDesign& mDesign;
    const std::string& mIniDirectory;
    std::array<std::shared_ptr<PictureWindowModel>, kPictureSlotCount> mWindows;
    std::string mTestFileName;
    Picture mPicture2;
    std::uint64_t mPicture2Changes = 0;
};

// A slot's window as a run holds it across yields to the event queue. The window stays valid
// whatever happens to the slot; check() after each yield tells whether the slot still holds it.
class HeldPictureWindow {
public:
    HeldPictureWindow() = default;
    // Takes the slot's current window (none when the slot is empty).
    HeldPictureWindow(const PictureSlots& pictures, PictureSlot slot);

    PictureWindowModel* get() const { return mWindow.get(); }
    PictureWindowModel* operator->() const { return mWindow.get(); }
    explicit operator bool() const { return mWindow != nullptr; }

    // True while the slot holds the very window taken.
    bool stillInSlot() const;

    // Throws RuntimeError("Object variable or With block variable not set") when the slot no
    // longer holds the window taken (or none was taken).
    void check() const;

private:
    const PictureSlots* mSlots = nullptr;
    PictureSlot mSlot = PictureSlot::Main;
    std::shared_ptr<PictureWindowModel> mWindow;
};

} // namespace dw::design
