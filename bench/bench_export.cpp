// Exports of whole runs through the session, each timed in a fresh process of its own (so that
// its peak resident size is its own), against ffmpeg given the same frames, measured here:
//   1. the line-hand sample at 640x480, 30 fps, 60 s, uncompressed, against ffmpeg muxing the
//      same 1800 raw frames into an AVI file (target: ratio at most 1.3);
//   2. its peak resident size (target: below 150 MB), and that of a 600 s export (target: within
//      10 % of the 60 s one);
//   3. the bitmap-hand sample (256x256 hands on a 640x480 face), same length (target: at most
//      1.5), with the count of frames drawn (target: one per step);
//   4. the line-hand sample as MJPEG against ffmpeg encoding the same frames to MJPEG (target:
//      our frames per second at least 0.9 times ffmpeg's).
// Usage: bench_export [output folder, default /tmp]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QImage>

#include "childrun.h"
#include "design/host.h"
#include "design/picture.h"
#include "dw/platform/compressiondialog.h"
#include "run/designersession.h"
#include "run/framesink.h"
#include "sessionbench.h"

namespace {

namespace fs = std::filesystem;

using namespace dw::bench;

// The child's side: one export; its seconds, frames drawn and peak resident size on stdout.
int childExport(const char* kind, int seconds, const char* folder, const char* out) {
    const bool bitmap = std::strcmp(kind, "bitmap") == 0;
    if (std::strcmp(kind, "mjpeg") == 0) {
        dw::platform::setDefaultCompression({"mjpeg", 0, 0});
    }
    BenchHost host;
    dw::run::DesignerSession session(host);
    if (!setUpSession(session, folder, bitmap, seconds)) {
        return 1;
    }
    host.renderDraws = 0;
    const auto start = std::chrono::steady_clock::now();
    session.saveAviAs(out);
    const double s = secondsSince(start);
    std::printf("%.6f %d %ld\n", s, host.renderDraws, peakResidentKib());
    return host.messages == 0 && fs::exists(out) ? 0 : 1;
}

struct ChildResult {
    double seconds = -1;
    int renderDraws = 0;
    long peakKib = 0;
};

// Runs this program again as a child doing one export; its time, draws and peak resident size.
ChildResult runChild(const char* kind, int seconds, const std::string& folder,
                     const std::string& out) {
    ChildResult result;
    const auto text =
        dw::bench::runSelfAsChild({"--child", kind, std::to_string(seconds), folder, out});
    if (!text || std::sscanf(text->c_str(), "%lf %d %ld", &result.seconds, &result.renderDraws,
                             &result.peakKib) != 3) {
        result.seconds = -1;
        return result;
    }
    fs::remove(out);
    return result;
}

// The frames of a 60 s run, collected in this process through a sink.
std::unique_ptr<CollectingSink> collectFrames(const std::string& folder, bool bitmap) {
    BenchHost host;
    dw::run::DesignerSession session(host);
    auto sink = std::make_shared<CollectingSink>();
    if (!setUpSession(session, folder, bitmap, 60)) {
        return nullptr;
    }
    session.saveAviAs("", sink);
    auto out = std::make_unique<CollectingSink>();
    out->distinct = std::move(sink->distinct);
    out->order = std::move(sink->order);
    return out;
}

// ffmpeg given the same frames from memory through a pipe: muxed as raw video, or encoded.
double ffmpegExport(const CollectingSink& frames, const std::string& path, const char* codec) {
    const double seconds = ffmpegFromFrames(
        frames, std::string("-c:v ") + codec +
                    (std::strcmp(codec, "mjpeg") == 0 ? " -q:v 3 -pix_fmt yuvj420p" : "") + " '" +
                    path + "'");
    fs::remove(path);
    return seconds;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Comparison {
    double ours = -1;
    double theirs = -1;
    long peakKib = 0;
    int renderDraws = 0;
};

// Alternates our export and ffmpeg's, each starting on a disk with nothing left to write back;
// the medians, and the largest peak resident size of ours.
Comparison compare(const char* kind, const CollectingSink& frames, const char* ffmpegCodec,
                   const std::string& folder, const std::string& out, int rounds) {
    std::vector<double> ours, theirs;
    Comparison c;
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            ::sync();
            if ((turn + round) % 2 == 0) {
                const ChildResult r = runChild(kind, 60, folder, out + ".avi");
                if (r.seconds < 0) {
                    std::fprintf(stderr, "%s export failed\n", kind);
                    return c;
                }
                ours.push_back(r.seconds);
                c.peakKib = std::max(c.peakKib, r.peakKib);
                c.renderDraws = r.renderDraws;
            } else {
                const double s = ffmpegExport(frames, out + "_ffmpeg.avi", ffmpegCodec);
                if (s < 0) {
                    std::fprintf(stderr, "ffmpeg %s failed\n", ffmpegCodec);
                    return c;
                }
                theirs.push_back(s);
            }
        }
        std::printf("  %s round %d: ours %.3f s, ffmpeg %.3f s\n", kind, round + 1, ours.back(),
                    theirs.back());
    }
    c.ours = median(ours);
    c.theirs = median(theirs);
    return c;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    // The build registers the components in the build tree's registry, beside bin/.
    ::setenv("DIALWRIGHT_REGISTRY", (exe.parent_path().parent_path() / "registry.txt").c_str(), 0);
    if (argc == 6 && std::strcmp(argv[1], "--child") == 0) {
        return childExport(argv[2], std::atoi(argv[3]), argv[4], argv[5]);
    }
    const fs::path outFolder = argc > 1 ? argv[1] : "/tmp";
    const fs::path samples = fs::path(__FILE__).parent_path().parent_path() / "samples";
    const std::string folder = (outFolder / "bench_export_designs").string();
    const std::string out = (outFolder / "bench_export").string();
    prepareDesigns(samples, folder);

    const auto lineFrames = collectFrames(folder, false);
    const auto bitmapFrames = collectFrames(folder, true);
    if (!lineFrames || !bitmapFrames || lineFrames->order.size() != 60u * kFps) {
        std::fprintf(stderr, "cannot collect the frames of the samples\n");
        return 1;
    }
    std::printf("frames: %zu (line: %zu distinct, bitmap: %zu distinct)\n",
                lineFrames->order.size(), lineFrames->distinct.size(),
                bitmapFrames->distinct.size());

    const Comparison line = compare("line", *lineFrames, "rawvideo", folder, out, 5);
    const Comparison bitmap = compare("bitmap", *bitmapFrames, "rawvideo", folder, out, 3);
    const Comparison mjpeg = compare("mjpeg", *lineFrames, "mjpeg", folder, out, 3);
    const ChildResult longRun = runChild("line", 600, folder, out + "_600.avi");
    fs::remove_all(folder);
    if (line.ours < 0 || bitmap.ours < 0 || mjpeg.ours < 0 || longRun.seconds < 0) {
        return 1;
    }
    const double frames = 60.0 * kFps;
    std::printf("line 60 s uncompressed: ours %.3f s, ffmpeg mux %.3f s\n", line.ours, line.theirs);
    // The render window is drawn on once as the run shows the face, then once per step.
    std::printf("bitmap 60 s uncompressed: ours %.3f s, ffmpeg mux %.3f s; render window drawn "
                "%d times for 60 steps (target 61)\n",
                bitmap.ours, bitmap.theirs, bitmap.renderDraws);
    std::printf("line 60 s MJPEG: ours %.1f fps, ffmpeg %.1f fps\n", frames / mjpeg.ours,
                frames / mjpeg.theirs);
    std::printf("peak RSS: 60 s %.1f MB (target < 150), 600 s %.1f MB (%.1f s)\n",
                line.peakKib / 1024.0, longRun.peakKib / 1024.0, longRun.seconds);
    std::printf("ratio peak RSS 600 s / 60 s: %.3f (target <= 1.10)\n",
                static_cast<double>(longRun.peakKib) / static_cast<double>(line.peakKib));
    std::printf("ratio MJPEG fps ours/ffmpeg: %.3f (target >= 0.9)\n", mjpeg.theirs / mjpeg.ours);
    std::printf("ratio bitmap wall time ours/ffmpeg: %.3f (target <= 1.5)\n",
                bitmap.ours / bitmap.theirs);
    std::printf("ratio line wall time ours/ffmpeg: %.3f (target <= 1.3)\n",
                line.ours / line.theirs);
    return 0;
}
