// A run writes each drawn picture once per frame of its second. With an intra-only compressor
// (Motion JPEG at fixed quality) a copy costs no capture and no encoding: 1800 frames showing 60
// pictures 30 times each, against the same export encoding every copy afresh.
// Usage: bench_avireuse [output folder, default /tmp]
#include <cstdio>
#include <unistd.h>

#include "aviexportsupport.h"

int main(int argc, char** argv) {
    constexpr int kW = 640;
    constexpr int kH = 480;
    constexpr int kFrames = 1800;
    const std::string path = std::string(argc > 1 ? argv[1] : "/tmp") + "/bench_avireuse.avi";
    dw::platform::setDefaultCompression({"mjpeg", 0, 0});
    const dw::bench::Pictures pictures(60, kW, kH);
    double seconds[2] = {};
    for (int reuse = 1; reuse >= 0; --reuse) {
        reelkit::AviWriter writer;
        writer.setReuseUnchangedFrames(reuse == 1);
        const auto start = std::chrono::steady_clock::now();
        if (writer.WriteAVIFile(path.c_str(), kW, kH, 24, 30) != 0) {
            return 1;
        }
        for (int i = 0; i < kFrames; ++i) {
            const int p = i / 30;
            writer.WriteFrameEx(static_cast<std::int32_t>(pictures.windows[p]),
                                static_cast<std::int32_t>(pictures.surfaces[p]), kW, kH);
        }
        const reelkit::AviWriter::Stats stats = writer.stats();
        writer.CloseAVIFile();
        seconds[reuse] = dw::bench::secondsSince(start);
        ::unlink(path.c_str());
        std::printf("%s: %.3f s, %lld frames, %lld unchanged captures, %lld encoded, %lld "
                    "written again from the previous data\n",
                    reuse == 1 ? "reusing copies" : "encoding every copy", seconds[reuse],
                    static_cast<long long>(stats.stream.framesIn),
                    static_cast<long long>(stats.framesUnchanged),
                    static_cast<long long>(stats.stream.framesEncoded),
                    static_cast<long long>(stats.stream.framesReused));
    }
    std::printf("ratio reusing/encoding every copy wall time: %.3f\n", seconds[1] / seconds[0]);
    return 0;
}
