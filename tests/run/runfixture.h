#pragma once
// Shared by the run tests: a session with a loaded main picture and a short, unpaced run set up,
// the frame-count texts read back as numbers, and a frame sink that keeps what it is given.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <QImage>
#include <gtest/gtest.h>

#include "design/picture.h"
#include "mediatools.h"
#include "recordinghost.h"
#include "run/designersession.h"
#include "run/framesink.h"

namespace dw::testing {

// One text of the frame-count panel: the three indices and the frame number.
struct FrameStatus {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int frame = 0;
};

inline FrameStatus parseFrameStatus(const std::string& text) {
    FrameStatus s;
    const auto colon = text.find(" : ");
    EXPECT_NE(colon, std::string::npos) << text;
    char* end = nullptr;
    s.hour = static_cast<int>(std::strtol(text.c_str(), &end, 10));
    s.minute = static_cast<int>(std::strtol(end + 1, &end, 10));
    s.second = static_cast<int>(std::strtol(end + 1, &end, 10));
    s.frame = std::atoi(text.c_str() + colon + 3);
    return s;
}

// Keeps a copy of every frame; can refuse to open or fail at a given frame.
class RecordingSink : public run::FrameSink {
public:
    int width = 0, height = 0, framesPerSecond = 0;
    int opens = 0, closes = 0;
    bool refuseOpen = false;
    int failAtFrame = -1; // 0-based index of the frame refused
    std::vector<QImage> frames;

    bool open(int w, int h, int fps) override {
        ++opens;
        width = w;
        height = h;
        framesPerSecond = fps;
        return !refuseOpen;
    }
    bool writeFrame(const design::Picture& frame) override {
        if (static_cast<int>(frames.size()) == failAtFrame) {
            return false;
        }
        frames.push_back(frame.toImage());
        return true;
    }
    void close() override { ++closes; }
};

class RunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        session.setIniDirectory(folder.path() + "/");
        host.openAnswers.push_back(writePicture("face.bmp", 320, 180, 0xFF204060));
        session.load_background();
        ASSERT_TRUE(session.isBMPobject(design::PictureSlot::Main));
        auto& d = session.design();
        d.timeh = "3";
        d.timem = "0";
        d.times = "0";
        d.duration = "2";
        d.copyfps = "15";
        d.synctest = 0;
        host.messages.clear();
        host.windowEvents.clear();
        host.dialogFilters.clear();
    }

    // A one-colour bitmap in the design folder; its full path.
    std::string writePicture(const std::string& name, int width, int height, QRgb colour) const {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const std::string path = folder.file(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
        return path;
    }

    std::vector<FrameStatus> statuses() const {
        std::vector<FrameStatus> out;
        for (const auto& text : host.statusOf("STA_FRAMECOUNT")) {
            out.push_back(parseFrameStatus(text));
        }
        return out;
    }

    std::vector<int> frameNumbers() const {
        std::vector<int> out;
        for (const auto& s : statuses()) {
            out.push_back(s.frame);
        }
        return out;
    }

    // Expects the flags of a session with no run active.
    void expectIdle() const {
        EXPECT_FALSE(session.runState().running);
        EXPECT_TRUE(session.runState().idle);
        EXPECT_FALSE(session.runState().saving);
        EXPECT_EQ(session.runState().activeRuns, 0);
    }

    // The frames of an AVI file as top-down BGR rows, one vector per frame.
    std::vector<std::vector<std::uint8_t>> decodedFrames(const std::string& path, int width,
                                                         int height) const {
        std::vector<std::uint8_t> pixels;
        std::string errors;
        EXPECT_TRUE(decodeBgr24(path, &pixels, &errors)) << errors;
        const std::size_t size = static_cast<std::size_t>(width) * height * 3;
        std::vector<std::vector<std::uint8_t>> frames;
        for (std::size_t at = 0; at + size <= pixels.size(); at += size) {
            frames.emplace_back(pixels.begin() + static_cast<long>(at),
                                pixels.begin() + static_cast<long>(at + size));
        }
        return frames;
    }

    RecordingHost host;
    TempDir folder; // the design folder
    TempDir output;
    run::DesignerSession session{host};
};

// An image as top-down BGR rows, the way the decoder hands frames back.
inline std::vector<std::uint8_t> bgrOf(const QImage& image) {
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(image.width()) * image.height() * 3);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            out.push_back(static_cast<std::uint8_t>(qBlue(p)));
            out.push_back(static_cast<std::uint8_t>(qGreen(p)));
            out.push_back(static_cast<std::uint8_t>(qRed(p)));
        }
    }
    return out;
}

} // namespace dw::testing
