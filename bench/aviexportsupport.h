#pragma once
// Shared by the AVI benchmarks: pictures on surfaces, a wall clock, and an export through the
// writer exactly as a run does it (WriteAVIFile, WriteFrameEx per frame, CloseAVIFile).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "aviwriter.h"
#include "dw/platform/compressiondialog.h"
#include "dw/platform/surface.h"

namespace dw::bench {

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A picture whose every pixel depends on `seed`, so consecutive pictures differ everywhere.
inline void paint(dw::platform::Handle surface, int seed) {
    dw::platform::SurfacePixels px;
    dw::platform::LockSurface(surface, &px);
    for (int y = 0; y < px.height; ++y) {
        for (int x = 0; x < px.width; ++x) {
            const std::uint32_t r = (x + seed * 7) & 0xFF;
            const std::uint32_t g = (y * 3 + seed * 5) & 0xFF;
            const std::uint32_t b = (x * y + seed * 11) & 0xFF;
            px.pixels[static_cast<std::size_t>(y) * px.stride + x] =
                0xFF000000u | r << 16 | g << 8 | b;
        }
    }
}

struct Pictures {
    std::vector<dw::platform::Handle> surfaces;
    std::vector<dw::platform::Handle> windows;
    Pictures(int count, int width, int height) {
        for (int i = 0; i < count; ++i) {
            surfaces.push_back(dw::platform::CreateSurface(width, height));
            paint(surfaces.back(), i);
            windows.push_back(dw::platform::CreateWindowHandle(surfaces.back()));
        }
    }
};

// Exports `frames` frames, frame i showing picture (i / repeat) % count; returns the seconds
// from WriteAVIFile to the end of CloseAVIFile, or -1 when the writer failed.
inline double exportFrames(reelkit::AviWriter& writer, const std::string& path,
                           const Pictures& pictures, int width, int height, int frames,
                           int repeat = 1) {
    const auto start = std::chrono::steady_clock::now();
    if (writer.WriteAVIFile(path.c_str(), width, height, 24, 30) != 0) {
        return -1;
    }
    const int count = static_cast<int>(pictures.surfaces.size());
    for (int i = 0; i < frames; ++i) {
        const int p = (i / repeat) % count;
        if (writer.WriteFrameEx(static_cast<std::int32_t>(pictures.windows[p]),
                                static_cast<std::int32_t>(pictures.surfaces[p]), width,
                                height) != 0) {
            return -1;
        }
    }
    writer.CloseAVIFile();
    return secondsSince(start);
}

} // namespace dw::bench
