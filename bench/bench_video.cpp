// Video exports of whole runs through the session, each in a fresh process of its own (so that
// its peak resident size is its own), against ffmpeg given the same frames, measured here:
//   1. the line-hand sample at 640x480, 30 fps, 60 s to MP4 against ffmpeg -c:v libx264
//      -preset medium (the same encoder and quality) on the same 1800 raw frames (target: our
//      frames per second at least 3 times ffmpeg's);
//   2. the same to GIF against ffmpeg's two passes, palettegen then paletteuse (target: at
//      least 1 times ffmpeg's frames per second, and a file no larger);
//   3. the peak resident size of a 600 s export against a 60 s one, for every container
//      (target: within 10 %).
// Usage: bench_video [output folder, default /tmp]

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "childrun.h"
#include "sessionbench.h"
#include "video/videoexport.h"

namespace {

using namespace dw::bench;

// The child's side: one export; its seconds and peak resident size on stdout.
int childExport(int seconds, const char* folder, const char* out) {
    BenchHost host;
    dw::run::DesignerSession session(host);
    if (!setUpSession(session, folder, false, seconds)) {
        return 1;
    }
    dw::video::VideoOptions options;
    options.path = out;
    const auto start = std::chrono::steady_clock::now();
    const dw::video::VideoOutcome outcome = dw::video::exportVideo(session, options);
    const double s = secondsSince(start);
    std::printf("%.6f %ld\n", s, peakResidentKib());
    if (!outcome.error.empty()) {
        std::fprintf(stderr, "%s\n", outcome.error.c_str());
    }
    return host.messages == 0 && outcome.written && outcome.error.empty() ? 0 : 1;
}

struct ChildResult {
    double seconds = -1;
    long peakKib = 0;
};

ChildResult runChild(int seconds, const std::string& folder, const std::string& out) {
    ChildResult result;
    const auto text = dw::bench::runSelfAsChild({"--child", std::to_string(seconds), folder, out});
    if (!text || std::sscanf(text->c_str(), "%lf %ld", &result.seconds, &result.peakKib) != 2) {
        result.seconds = -1;
    }
    return result;
}

double ffmpegMp4(const CollectingSink& frames, const std::string& out) {
    return ffmpegFromFrames(frames, "-c:v libx264 -preset medium -pix_fmt yuv420p '" + out + "'");
}

// The two passes the ffmpeg documentation gives for a GIF with its own palette.
double ffmpegGif(const CollectingSink& frames, const std::string& out) {
    const std::string palette = out + ".palette.png";
    const double first = ffmpegFromFrames(frames, "-vf palettegen '" + palette + "'");
    const double second =
        first < 0
            ? -1
            : ffmpegFromFrames(frames, "-i '" + palette + "' -lavfi paletteuse '" + out + "'");
    fs::remove(palette);
    return second < 0 ? -1 : first + second;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Comparison {
    double ours = -1;
    double theirs = -1;
    std::uintmax_t ourBytes = 0;
    std::uintmax_t theirBytes = 0;
};

template <typename Baseline>
Comparison compare(const char* extension, const CollectingSink& frames, Baseline baseline,
                   const std::string& folder, const std::string& out, int rounds) {
    std::vector<double> ours, theirs;
    Comparison c;
    const std::string mine = out + "." + extension;
    const std::string their = out + "_ffmpeg." + extension;
    for (int round = 0; round < rounds; ++round) {
        ::sync();
        const ChildResult r = runChild(60, folder, mine);
        ::sync();
        const double s = baseline(frames, their);
        if (r.seconds < 0 || s < 0) {
            std::fprintf(stderr, "%s export failed (ours %.3f, ffmpeg %.3f)\n", extension,
                         r.seconds, s);
            return c;
        }
        ours.push_back(r.seconds);
        theirs.push_back(s);
        c.ourBytes = fs::file_size(mine);
        c.theirBytes = fs::file_size(their);
        std::printf("  %s round %d: ours %.3f s, ffmpeg %.3f s\n", extension, round + 1, r.seconds,
                    s);
        fs::remove(mine);
        fs::remove(their);
    }
    c.ours = median(ours);
    c.theirs = median(theirs);
    return c;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    ::setenv("DIALWRIGHT_REGISTRY", (exe.parent_path().parent_path() / "registry.txt").c_str(), 0);
    if (argc == 5 && std::strcmp(argv[1], "--child") == 0) {
        return childExport(std::atoi(argv[2]), argv[3], argv[4]);
    }
    const fs::path outFolder = argc > 1 ? argv[1] : "/tmp";
    const fs::path samples = fs::path(__FILE__).parent_path().parent_path() / "samples";
    const std::string folder = (outFolder / "bench_video_designs").string();
    const std::string out = (outFolder / "bench_video").string();
    prepareDesigns(samples, folder);

    auto frames = std::make_shared<CollectingSink>();
    {
        BenchHost host;
        dw::run::DesignerSession session(host);
        if (!setUpSession(session, folder, false, 60)) {
            return 1;
        }
        session.saveAviAs("", frames);
    }
    if (frames->order.size() != 60u * kFps) {
        std::fprintf(stderr, "cannot collect the frames of the sample\n");
        return 1;
    }
    std::printf("frames: %zu (%zu distinct)\n", frames->order.size(), frames->distinct.size());

    const Comparison mp4 = compare("mp4", *frames, ffmpegMp4, folder, out, 3);
    const Comparison gif = compare("gif", *frames, ffmpegGif, folder, out, 3);
    if (mp4.ours < 0 || gif.ours < 0) {
        return 1;
    }
    double worstMemory = 0;
    for (const char* extension : {"mp4", "webm", "mkv", "mov", "gif"}) {
        const std::string file = out + "_memory." + extension;
        const ChildResult shortRun = runChild(60, folder, file);
        const ChildResult longRun = runChild(600, folder, file);
        fs::remove(file);
        if (shortRun.seconds < 0 || longRun.seconds < 0) {
            std::fprintf(stderr, "%s memory export failed\n", extension);
            return 1;
        }
        const double ratio = static_cast<double>(longRun.peakKib) / shortRun.peakKib;
        std::printf("%s peak RSS: 60 s %.1f MB, 600 s %.1f MB (%.1f s): %.3f\n", extension,
                    shortRun.peakKib / 1024.0, longRun.peakKib / 1024.0, longRun.seconds, ratio);
        worstMemory = std::max(worstMemory, ratio);
    }
    fs::remove_all(folder);
    const double n = 60.0 * kFps;
    std::printf("MP4 60 s: ours %.1f fps (%.3f s), ffmpeg libx264 medium %.1f fps (%.3f s)\n",
                n / mp4.ours, mp4.ours, n / mp4.theirs, mp4.theirs);
    std::printf("GIF 60 s: ours %.1f fps, %ju bytes; ffmpeg palettegen+paletteuse %.1f fps, %ju "
                "bytes\n",
                n / gif.ours, gif.ourBytes, n / gif.theirs, gif.theirBytes);
    std::printf("ratio GIF size ours/ffmpeg: %.3f (target <= 1.0)\n",
                static_cast<double>(gif.ourBytes) / static_cast<double>(gif.theirBytes));
    std::printf("ratio peak RSS 600 s / 60 s (worst container): %.3f (target <= 1.10)\n",
                worstMemory);
    std::printf("ratio GIF fps ours/ffmpeg: %.3f (target >= 1.0)\n", gif.theirs / gif.ours);
    std::printf("ratio MP4 fps ours/ffmpeg: %.3f (target >= 3.0)\n", mp4.theirs / mp4.ours);
    return 0;
}
