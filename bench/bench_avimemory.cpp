// Peak memory of an export does not grow with its length: the peak resident size of an export
// of 1800 frames against one of 600, each in a fresh process. Target: ratio close to 1.
// Usage: bench_avimemory [output folder, default /tmp]
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "aviexportsupport.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;

// Runs one export in a child process; its peak resident size in KiB, or -1.
long peakKib(const std::string& path, const char* codec, int frames) {
    const pid_t child = ::fork();
    if (child == 0) {
        dw::platform::setDefaultCompression({codec, 0, 0});
        const dw::bench::Pictures pictures(30, kW, kH);
        reelkit::AviWriter writer;
        const double s = dw::bench::exportFrames(writer, path, pictures, kW, kH, frames);
        ::unlink(path.c_str());
        ::_exit(s < 0 ? 1 : 0);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || status != 0) {
        return -1;
    }
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    const std::string path = std::string(argc > 1 ? argv[1] : "/tmp") + "/bench_avimemory.avi";
    double worst = 0;
    for (const char* codec : {"", "mjpeg"}) {
        const long shortRun = peakKib(path, codec, 600);
        const long longRun = peakKib(path, codec, 1800);
        if (shortRun <= 0 || longRun <= 0) {
            std::fprintf(stderr, "export failed\n");
            return 1;
        }
        const double ratio = static_cast<double>(longRun) / static_cast<double>(shortRun);
        std::printf("%s: peak RSS %ld KiB for 600 frames, %ld KiB for 1800 frames\n",
                    codec[0] != '\0' ? codec : "uncompressed", shortRun, longRun);
        worst = std::max(worst, ratio);
    }
    std::printf("ratio peak RSS 1800/600 frames (worst codec): %.3f (target ~1.0)\n", worst);
    return 0;
}
