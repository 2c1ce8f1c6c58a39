#include "framecapture.h"

#include <bit>
#include <cstring>
#include <new>

namespace reelkit {

using dw::platform::Handle;
using dw::platform::SurfacePixels;

namespace {

static_assert(std::endian::native == std::endian::little,
              "pixels are packed as little-endian words");

// Copies 0xFFRRGGBB words into `seen` and writes them as blue, green, red bytes: four pixels make
// three whole words, so the row is read once and written without byte stores.
void copyAndConvertRow(const std::uint32_t* src, std::uint32_t* seen, std::uint8_t* out,
                       int width) {
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const std::uint32_t p0 = src[x];
        const std::uint32_t p1 = src[x + 1];
        const std::uint32_t p2 = src[x + 2];
        const std::uint32_t p3 = src[x + 3];
        seen[x] = p0;
        seen[x + 1] = p1;
        seen[x + 2] = p2;
        seen[x + 3] = p3;
        const std::uint32_t words[3] = {(p0 & 0xFFFFFFu) | p1 << 24,
                                        ((p1 >> 8) & 0xFFFFu) | p2 << 16,
                                        ((p2 >> 16) & 0xFFu) | p3 << 8};
        std::memcpy(out, words, sizeof words);
        out += sizeof words;
    }
    for (; x < width; ++x) {
        const std::uint32_t p = src[x];
        seen[x] = p;
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
        copyAndConvertRow(src, seen, frame + static_cast<std::size_t>(row) * mRowBytes, mWidth);
    }
    mSnapshotValid = true;
    return changed ? CaptureOutcome::Changed : CaptureOutcome::Unchanged;
}

} // namespace reelkit
