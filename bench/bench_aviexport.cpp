// An uncompressed 640x480 export of 1800 frames through the writer, against ffmpeg muxing the
// same 1800 raw frames into an AVI file, both measured here. Target: ratio at most 1.25.
// Usage: bench_aviexport [output folder, default /tmp]
#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include "aviexportsupport.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;
constexpr int kFrames = 1800;
constexpr int kPictures = 30; // consecutive frames differ: every frame is captured in full
constexpr int kRounds = 5;

// The pictures as top-down 24-bit rows, what ffmpeg's raw input takes.
std::vector<std::vector<std::uint8_t>> rawFrames(const dw::bench::Pictures& pictures) {
    std::vector<std::vector<std::uint8_t>> out;
    for (dw::platform::Handle s : pictures.surfaces) {
        dw::platform::SurfacePixels px;
        dw::platform::LockSurface(s, &px);
        std::vector<std::uint8_t> frame;
        frame.reserve(static_cast<std::size_t>(kW) * kH * 3);
        for (int i = 0; i < kW * kH; ++i) {
            frame.push_back(static_cast<std::uint8_t>(px.pixels[i]));
            frame.push_back(static_cast<std::uint8_t>(px.pixels[i] >> 8));
            frame.push_back(static_cast<std::uint8_t>(px.pixels[i] >> 16));
        }
        out.push_back(std::move(frame));
    }
    return out;
}

double ffmpegExport(const std::string& path, const std::vector<std::vector<std::uint8_t>>& raw) {
    const std::string command = "ffmpeg -nostdin -v error -y -f rawvideo -pix_fmt bgr24 -s " +
                                std::to_string(kW) + "x" + std::to_string(kH) +
                                " -r 30 -i - -c:v rawvideo '" + path + "'";
    const auto start = std::chrono::steady_clock::now();
    FILE* pipe = ::popen(command.c_str(), "w");
    if (pipe == nullptr) {
        return -1;
    }
    for (int i = 0; i < kFrames; ++i) {
        const auto& frame = raw[static_cast<std::size_t>(i % kPictures)];
        if (std::fwrite(frame.data(), 1, frame.size(), pipe) != frame.size()) {
            ::pclose(pipe);
            return -1;
        }
    }
    return ::pclose(pipe) == 0 ? dw::bench::secondsSince(start) : -1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/tmp";
    const std::string ours = folder + "/bench_aviexport_writer.avi";
    const std::string theirs = folder + "/bench_aviexport_ffmpeg.avi";
    const dw::bench::Pictures pictures(kPictures, kW, kH);
    const auto raw = rawFrames(pictures);
    reelkit::AviWriter writer;
    std::vector<double> writerTimes;
    std::vector<double> ffmpegTimes;
    // One untimed export each first: the first file a process writes pays for fresh page-cache
    // memory, whichever side it is.
    ::unlink(ours.c_str());
    if (dw::bench::exportFrames(writer, ours, pictures, kW, kH, kFrames) < 0 ||
        ffmpegExport(theirs, raw) < 0) {
        std::fprintf(stderr, "warm-up export failed\n");
        return 1;
    }
    ::unlink(ours.c_str());
    ::unlink(theirs.c_str());
    // Alternate which goes first, and start each on a disk with nothing left to write back, so
    // neither pays for the other's data.
    for (int round = 0; round < kRounds; ++round) {
        double w = 0;
        double f = 0;
        for (int turn = 0; turn < 2; ++turn) {
            ::sync();
            if ((turn + round) % 2 == 0) {
                w = dw::bench::exportFrames(writer, ours, pictures, kW, kH, kFrames);
                ::unlink(ours.c_str());
            } else {
                f = ffmpegExport(theirs, raw);
                ::unlink(theirs.c_str());
            }
        }
        if (w < 0 || f < 0) {
            std::fprintf(stderr, "export failed (writer %.3f, ffmpeg %.3f)\n", w, f);
            return 1;
        }
        std::printf("round %d: writer %.3f s, ffmpeg %.3f s\n", round + 1, w, f);
        writerTimes.push_back(w);
        ffmpegTimes.push_back(f);
    }
    std::sort(writerTimes.begin(), writerTimes.end());
    std::sort(ffmpegTimes.begin(), ffmpegTimes.end());
    const double w = writerTimes[kRounds / 2];
    const double f = ffmpegTimes[kRounds / 2];
    std::printf("median: writer %.3f s, ffmpeg %.3f s for %d frames of %dx%d\n", w, f, kFrames, kW,
                kH);
    std::printf("ratio writer/ffmpeg wall time: %.3f (target <= 1.25)\n", w / f);
    return 0;
}
