#pragma once
// The stream description and format an uncompressed video is made with, for tests that drive
// the AVI file library directly.
#include <cstdint>
#include <vector>

#include "avitestframes.h"
#include "dw/avifile/aviformat.h"

namespace dw::testing {

// The stream description and 44-byte format an uncompressed video of this size is made with.
inline dw::avifile::StreamInfo videoInfo(int width, int height, int fps) {
    dw::avifile::StreamInfo info;
    info.fccType = dw::avifile::streamtypeVIDEO;
    info.scale = 1;
    info.rate = static_cast<std::uint32_t>(fps);
    info.quality = -1;
    info.frame = {0, 0, width, height};
    return info;
}

inline std::vector<std::uint8_t> dibFormat(int width, int height) {
    dw::avifile::BitmapInfoHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = 24;
    h.sizeImage = static_cast<std::uint32_t>(rowBytesOf(width) * height);
    const auto bytes = h.toBytes();
    std::vector<std::uint8_t> format(bytes.begin(), bytes.end());
    format.resize(44, 0);
    return format;
}

} // namespace dw::testing
