#include "design/pictureslots.h"

#include <utility>

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/picturepaths.h"
#include "design/runtimeerror.h"

namespace dw::design {

namespace {

struct SlotInfo {
    const char* caption;
    std::string ClockDesign::*fileName; // null for the test slot, whose name is not saved
};

constexpr std::array<SlotInfo, kPictureSlotCount> kSlots{{
    {"Main background bitmap", &ClockDesign::image},
    {"Erase mode background bitmap", &ClockDesign::background},
    {"Hour bitmap", &ClockDesign::hourbitmap},
    {"Minute bitmap", &ClockDesign::minutebitmap},
    {"Second bitmap", &ClockDesign::secondbitmap},
    {"Top bitmap", &ClockDesign::topbitmap},
    {"Test", nullptr},
}};

constexpr std::size_t indexOf(PictureSlot slot) {
    return static_cast<std::size_t>(slot);
}

} // namespace

const char* slotCaption(PictureSlot slot) {
    return kSlots[indexOf(slot)].caption;
}

PictureSlots::PictureSlots(Host& host, ClockDesign& design, const std::string& iniDirectory)
    : mHost(host), mDesign(design), mIniDirectory(iniDirectory) {}

PictureSlots::~PictureSlots() = default;

std::shared_ptr<PictureWindowModel> PictureSlots::window(PictureSlot slot) const {
    return mWindows[indexOf(slot)];
}

bool PictureSlots::holds(PictureSlot slot, const PictureWindowModel* window) const {
    return window != nullptr && mWindows[indexOf(slot)].get() == window;
}

std::shared_ptr<PictureWindowModel>& PictureSlots::holder(PictureSlot slot) {
    return mWindows[indexOf(slot)];
}

std::string& PictureSlots::fileName(PictureSlot slot) {
    const auto member = kSlots[indexOf(slot)].fileName;
    return member == nullptr ? mTestFileName : mDesign.*member;
}

const std::string& PictureSlots::fileName(PictureSlot slot) const {
    const auto member = kSlots[indexOf(slot)].fileName;
    return member == nullptr ? mTestFileName : mDesign.*member;
}

std::string PictureSlots::pickBitmapFile() {
    return design::pickBitmapFile(mHost);
}

std::string PictureSlots::relativePictureName() {
    return design::relativePictureName(mHost, mIniDirectory);
}

std::string PictureSlots::loadPictureSlot(PictureSlot slot, const std::string& caption,
                                          bool useGivenName, const std::string& givenName) {
    std::string name;
    if (useGivenName) {
        if (givenName.size() < 2) {
            return {};
        }
        name = givenName;
    } else {
        name = relativePictureName();
    }
    if (name.empty()) {
        return {};
    }
    // A window still in the slot is let go properly, so that its view does not linger with
    // nothing behind it.
    releasePictureSlot(slot);
    auto fresh = std::make_shared<PictureWindowModel>(mHost, slotCaption(slot));
    holder(slot) = fresh;
    fresh->init(caption, resolvePictureName(mIniDirectory, name));
    fresh->show();
    return name;
}

void PictureSlots::viewPictureSlot(PictureSlot slot) {
    if (const auto shown = window(slot)) {
        shown->show();
    }
}

void PictureSlots::releasePictureSlot(PictureSlot slot) {
    // The slot forgets the window first, so that the host sees the slot empty when told.
    if (const auto released = std::exchange(holder(slot), nullptr)) {
        released->releaseAll();
    }
}

void PictureSlots::load(PictureSlot slot) {
    if (isBMPobject(slot)) {
        return;
    }
    if (slot == PictureSlot::Test) {
        // The test picture may come from any folder; the dialog's full path is its name.
        const std::string chosen = pickBitmapFile();
        fileName(slot) = loadPictureSlot(slot, slotCaption(slot), true, chosen);
        return;
    }
    fileName(slot) = loadPictureSlot(slot, slotCaption(slot), false, {});
    if (slot == PictureSlot::Main) {
        showMainPicture();
    }
}

void PictureSlots::view(PictureSlot slot) {
    viewPictureSlot(slot);
    if (slot == PictureSlot::Main) {
        quickReloadBackground();
    }
}

void PictureSlots::unload(PictureSlot slot) {
    fileName(slot).clear();
    releasePictureSlot(slot);
    if (slot == PictureSlot::Main) {
        mPicture2.assign(QImage());
        ++mPicture2Changes;
        mHost.windowChanged(kDesignWindow, WindowEvent::PictureChanged);
    }
}

void PictureSlots::showMainPicture() {
    if (const auto main = window(PictureSlot::Main)) {
        mPicture2.copyFrom(main->Picture1());
        ++mPicture2Changes;
        mHost.windowChanged(kDesignWindow, WindowEvent::PictureChanged);
    }
}

bool PictureSlots::quickReloadBackground() {
    const auto main = window(PictureSlot::Main);
    if (!main) {
        return false;
    }
    main->Picture1().copyFrom(mPicture2);
    main->pictureChanged();
    return true;
}

bool PictureSlots::quickReloadBackground(const QRect& area) {
    const auto main = window(PictureSlot::Main);
    if (!main) {
        return false;
    }
    main->Picture1().copyFrom(mPicture2);
    main->pictureChangedLater(area);
    return true;
}

bool PictureSlots::eraseBackgroundFits() {
    const auto main = window(PictureSlot::Main);
    const auto background = window(PictureSlot::EraseBackground);
    if (!main || !background) {
        return true;
    }
    if (background->scaleWidth() < main->scaleWidth() ||
        background->scaleHeight() < main->scaleHeight()) {
        mHost.showMessage("Cannot load an erase background smaller than the foreground in this "
                          "version",
                          MessageIcon::Critical);
        return false;
    }
    return true;
}

void PictureSlots::unloadAllPictures() {
    for (PictureSlot slot :
         {PictureSlot::Hour, PictureSlot::Minute, PictureSlot::Second, PictureSlot::Top,
          PictureSlot::Test, PictureSlot::EraseBackground, PictureSlot::Main}) {
        unload(slot);
    }
}

bool PictureSlots::checkBitmapsLoaded() {
    for (PictureSlot slot :
         {PictureSlot::Hour, PictureSlot::Minute, PictureSlot::Second, PictureSlot::Top}) {
        if (!isBMPobject(slot)) {
            // The captions of these four slots are the names the messages use.
            mHost.showMessage(std::string(slotCaption(slot)) + " has not been loaded",
                              MessageIcon::Critical);
            return false;
        }
    }
    return true;
}

HeldPictureWindow::HeldPictureWindow(const PictureSlots& pictures, PictureSlot slot)
    : mSlots(&pictures), mSlot(slot), mWindow(pictures.window(slot)) {}

bool HeldPictureWindow::stillInSlot() const {
    return mSlots != nullptr && mSlots->holds(mSlot, mWindow.get());
}

void HeldPictureWindow::check() const {
    if (!stillInSlot()) {
        throw RuntimeError(kObjectVariableNotSet);
    }
}

} // namespace dw::design
