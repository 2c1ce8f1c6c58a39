#pragma once
// Captures a bitmap as a 24-bit bottom-up frame with rows padded to 4 bytes, converting only
// the rows that differ from the previous capture. A run writes each drawn picture several
// times; comparing with the previous capture is how a copy is known to be one, exactly.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dw/platform/surface.h"

namespace reelkit {

enum class CaptureOutcome {
    Changed,   // the frame bytes differ from those after the previous capture
    Unchanged, // the frame bytes are exactly those after the previous capture
};

class FrameCapture {
public:
    // Prepares for frames of `width` x `height` (both positive); false when the memory for the
    // comparison copy cannot be had, and every capture then reads the whole frame.
    bool reset(int width, int height);
    // Lets the comparison copy go.
    void release();

    // Reads `hbitmap` through drawing context `hdc` into `frame` (rowBytes x height bytes, the
    // padding already zero). A bitmap of another size is read as GetDIBits reads it; handles that
    // name nothing leave `frame` as it was (Unchanged).
    CaptureOutcome capture(dw::platform::Handle hdc, dw::platform::Handle hbitmap,
                           std::uint8_t* frame);

private:
    CaptureOutcome captureFromPixels(const dw::platform::SurfacePixels& px, std::uint8_t* frame);

    int mWidth = 0;
    int mHeight = 0;
    std::size_t mRowBytes = 0;
    std::vector<std::uint32_t> mSnapshot; // surface words the frame was converted from
    bool mSnapshotValid = false;
};

} // namespace reelkit
