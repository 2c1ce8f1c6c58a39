#pragma once
// What the session benchmarks share: a host with nothing to show, a sink that keeps the distinct
// frames of a run, the sample designs scaled up to 640x480, and the peak resident size.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QImage>

#include "design/host.h"
#include "design/picture.h"
#include "run/designersession.h"
#include "run/framesink.h"

namespace dw::bench {

namespace fs = std::filesystem;

constexpr int kW = 640;
constexpr int kH = 480;
constexpr int kFps = 30;
constexpr int kHand = 256;

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A host with nothing to show: yields return at once, messages go to stderr. It counts the
// frames composed in the render window, which a bitmap-hand run draws on once per step.
class BenchHost : public dw::design::Host {
public:
    int messages = 0;
    int renderDraws = 0;

    void showMessage(const std::string& text, dw::design::MessageIcon) override {
        ++messages;
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    std::string openFileDialog(const std::string&, const std::string&) override { return {}; }
    std::string saveFileDialog(const std::string&, const std::string&) override { return {}; }
    std::optional<dw::design::FontChoice> fontDialog() override { return std::nullopt; }
    void yield() override {}
    std::uint32_t tickCount() override {
        return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }
    void setStatusText(const std::string&, const std::string&) override {}
    void windowChanged(const std::string& window, dw::design::WindowEvent event) override {
        if (window == "frmRender" && event == dw::design::WindowEvent::PictureChanged) {
            ++renderDraws;
        }
    }
};

// The frames a run hands over, as top-down 24-bit rows; a frame equal to the one before is kept
// once, so a minute of frames holds only its sixty distinct pictures.
class CollectingSink : public dw::run::FrameSink {
public:
    std::vector<std::vector<std::uint8_t>> distinct;
    std::vector<int> order; // index into distinct, per frame

    bool open(int, int, int) override { return true; }
    bool writeFrame(const dw::design::Picture& frame) override {
        const QImage image = frame.view().convertToFormat(QImage::Format_BGR888);
        std::vector<std::uint8_t> rows;
        rows.reserve(static_cast<std::size_t>(image.width()) * image.height() * 3);
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = image.constScanLine(y);
            rows.insert(rows.end(), line, line + image.width() * 3);
        }
        if (distinct.empty() || distinct.back() != rows) {
            distinct.push_back(std::move(rows));
        }
        order.push_back(static_cast<int>(distinct.size()) - 1);
        return true;
    }
    void close() override {}
};

// ffmpeg reading the collected frames as raw video from a pipe, with `arguments` after its
// input; its wall seconds, or -1 when it could not run or failed.
inline double ffmpegFromFrames(const CollectingSink& frames, const std::string& arguments) {
    const std::string command = "ffmpeg -nostdin -v error -y -f rawvideo -pix_fmt bgr24 -s " +
                                std::to_string(kW) + "x" + std::to_string(kH) + " -r " +
                                std::to_string(kFps) + " -i - " + arguments;
    const auto start = std::chrono::steady_clock::now();
    FILE* pipe = ::popen(command.c_str(), "w");
    if (pipe == nullptr) {
        return -1;
    }
    for (int index : frames.order) {
        const auto& frame = frames.distinct[static_cast<std::size_t>(index)];
        if (std::fwrite(frame.data(), 1, frame.size(), pipe) != frame.size()) {
            ::pclose(pipe);
            return -1;
        }
    }
    const bool ok = ::pclose(pipe) == 0;
    return ok ? secondsSince(start) : -1;
}

// The samples scaled up: a 640x480 face and top picture, 256x256 hand bitmaps.
inline void prepareDesigns(const fs::path& samples, const fs::path& folder) {
    fs::create_directories(folder);
    for (const char* ini : {"line-hands.ini", "bitmap-hands.ini"}) {
        fs::copy_file(samples / ini, folder / ini, fs::copy_options::overwrite_existing);
    }
    const auto scale = [&](const char* name, int w, int h) {
        const QImage in(QString::fromStdString((samples / name).string()));
        in.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(QString::fromStdString((folder / name).string()), "BMP");
    };
    scale("face.bmp", kW, kH);
    scale("top.bmp", kW, kH);
    for (const char* hand : {"hour.bmp", "minute.bmp", "second.bmp"}) {
        scale(hand, kHand, kHand);
    }
}

// Loads the scaled design and sets the run: centre and radius doubled with the face, the hand
// bitmaps centred on it.
inline bool setUpSession(dw::run::DesignerSession& session, const fs::path& folder, bool bitmap,
                         int seconds) {
    const std::string ini = (folder / (bitmap ? "bitmap-hands.ini" : "line-hands.ini")).string();
    if (session.loadIniFile(ini) != dw::design::FileFlowResult::Done) {
        return false;
    }
    auto& d = session.design();
    d.centrex = kW / 2;
    d.centrey = kH / 2;
    d.radius = "200";
    d.bmptopx = (kW - kHand) / 2;
    d.bmptopy = (kH - kHand) / 2;
    d.copyfps = std::to_string(kFps);
    d.duration = std::to_string(seconds);
    return true;
}

// The peak resident size of this process image in KiB (VmHWM). Not the rusage of the child:
// a spawned child's maximum starts from its parent's, whose memory it shared until exec.
inline long peakResidentKib() {
    FILE* status = std::fopen("/proc/self/status", "r");
    long kib = -1;
    char line[256];
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) {
            break;
        }
    }
    if (status != nullptr) {
        std::fclose(status);
    }
    return kib;
}

} // namespace dw::bench
