#include "design/picturewindowmodel.h"

#include <utility>

#include "design/host.h"
#include "design/picturefile.h"

namespace dw::design {

PictureWindowModel::PictureWindowModel(Host& host, std::string name)
    : mHost(host), mName(std::move(name)), mCaption(mName) {}

bool PictureWindowModel::init(const std::string& strCap, const std::string& strBMP) {
    std::string error = loadPictureFile(strBMP, mPicture1);
    if (error.empty() && !mPicture1b.copyFrom(mPicture1)) {
        error = kOutOfMemory;
    }
    if (!error.empty()) {
        // The window stays, empty: its slot counts as loaded and keeps the file name.
        mPicture1.assign(QImage());
        mPicture1b.assign(QImage());
        mHost.showMessage(error, MessageIcon::Information);
        return false;
    }
    mCaption = strCap;
    return true;
}

void PictureWindowModel::releaseAll() {
    hide();
    mAllowClose = true;
    mHost.windowChanged(mName, WindowEvent::Unloaded);
}

void PictureWindowModel::show() {
    mVisible = true;
    mHost.windowChanged(mName, WindowEvent::Shown);
}

void PictureWindowModel::hide() {
    if (!mVisible) {
        return;
    }
    mVisible = false;
    mHost.windowChanged(mName, WindowEvent::Hidden);
}

bool PictureWindowModel::requestClose() {
    if (mAllowClose) {
        return true;
    }
    hide();
    return false;
}

void PictureWindowModel::restore() {
    mPicture1.copyFrom(mPicture1b);
    pictureChanged();
}

void PictureWindowModel::pictureChanged() {
    ++mChangeCount;
    mWholeChanged = true;
    mHost.windowChanged(mName, WindowEvent::PictureChanged);
}

void PictureWindowModel::pictureChanged(const QRect& area) {
    ++mChangeCount;
    mChangedArea |= area & QRect(0, 0, mPicture1.width(), mPicture1.height());
    mHost.windowChanged(mName, WindowEvent::PictureChanged);
}

void PictureWindowModel::pictureChangedLater(const QRect& area) {
    ++mChangeCount;
    mChangedArea |= area & QRect(0, 0, mPicture1.width(), mPicture1.height());
}

std::optional<QRect> PictureWindowModel::takeChangedArea() {
    const bool whole = mWholeChanged || mChangedArea.isEmpty();
    const QRect area = std::exchange(mChangedArea, QRect());
    mWholeChanged = false;
    return whole ? std::nullopt : std::optional<QRect>(area);
}

} // namespace dw::design
