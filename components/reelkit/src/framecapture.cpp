#include "framecapture.h"

#include <cstring>
#include <new>

namespace reelkit {

using dw::platform::Handle;
using dw::platform::SurfacePixels;

namespace {

// 0xFFRRGGBB words to blue, green, red bytes.
void convertRow(const std::uint32_t* src, std::uint8_t* out, int width) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t p = src[x];
        out[0] = static_cast<std::uint8_t>(p);
        out[1] = static_cast<std::uint8_t>(p >> 8);
        out[2] = static_cast<std::uint8_t>(p >> 16);
        out += 3;
    }
}

} // namespace

bool FrameCapture::reset(int width, int height) {
    mWidth = width;
    mHeight = height;
    mRowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    mSnapshotValid = false;
    try {
        mSnapshot.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        release();
        return false;
    }
    return true;
}

void FrameCapture::release() {
    std::vector<std::uint32_t>().swap(mSnapshot);
    mSnapshotValid = false;
}

CaptureOutcome FrameCapture::capture(Handle hdc, Handle hbitmap, std::uint8_t* frame) {
    SurfacePixels dc;
    SurfacePixels px;
    if (LockSurface(hdc, &dc) && LockSurface(hbitmap, &px) && px.width == mWidth &&
        px.height == mHeight && !mSnapshot.empty()) {
        return captureFromPixels(px, frame);
    }
    if (dw::platform::GetDIBits(hdc, hbitmap, 0, mHeight, mWidth, frame) == 0) {
        return CaptureOutcome::Unchanged; // nothing was read: the frame is as it was
    }
    mSnapshotValid = false;
    return CaptureOutcome::Changed;
}

CaptureOutcome FrameCapture::captureFromPixels(const SurfacePixels& px, std::uint8_t* frame) {
    const std::size_t rowWords = static_cast<std::size_t>(mWidth);
    bool changed = !mSnapshotValid;
    for (int row = 0; row < mHeight; ++row) {
        const int y = mHeight - 1 - row; // frames are stored bottom-up
        const std::uint32_t* src = px.pixels + static_cast<std::size_t>(y) * px.stride;
        std::uint32_t* seen = mSnapshot.data() + static_cast<std::size_t>(y) * rowWords;
        if (mSnapshotValid && std::memcmp(src, seen, rowWords * 4) == 0) {
            continue; // this row of the frame already holds these pixels
        }
        changed = true;
        std::memcpy(seen, src, rowWords * 4);
        convertRow(src, frame + static_cast<std::size_t>(row) * mRowBytes, mWidth);
    }
    mSnapshotValid = true;
    return changed ? CaptureOutcome::Changed : CaptureOutcome::Unchanged;
}

} // namespace reelkit
