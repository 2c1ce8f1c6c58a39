// Frames of whole runs of the bundled erase-mode and digital designs, taken from an export to a
// frame sink and compared pixel for pixel with the reference pictures under
// tests/data/golden/<design>/ (see goldenimage.h for how to regenerate them).
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "design/picture.h"
#include "goldenimage.h"
#include "recordinghost.h"
#include "run/designersession.h"
#include "run/framesink.h"

using namespace dw::design;
using dw::run::DesignerSession;
using dw::testing::expectGolden;
using dw::testing::RecordingHost;

namespace {

// Keeps copies of the frames with the wanted numbers (counted from 1) and counts the rest.
class KeepingSink : public dw::run::FrameSink {
public:
    explicit KeepingSink(std::set<int> wanted) : mWanted(std::move(wanted)) {}

    bool open(int, int, int) override { return true; }
    bool writeFrame(const Picture& frame) override {
        ++count;
        if (mWanted.count(count) != 0) {
            kept[count] = frame.toImage();
        }
        return true;
    }
    void close() override {}

    int count = 0;
    std::map<int, QImage> kept;

private:
    std::set<int> mWanted;
};

class GoldenRunFrames : public ::testing::Test {
protected:
    // Exports the sample for `seconds` of clock time into a sink keeping the wanted frames.
    std::shared_ptr<KeepingSink> run(const std::string& design, int seconds,
                                     std::set<int> wanted) {
        const std::string file = std::string(DW_SAMPLES_DIR) + "/" + design + ".ini";
        EXPECT_EQ(session.loadIniFile(file), FileFlowResult::Done) << file;
        session.design().duration = std::to_string(seconds);
        auto sink = std::make_shared<KeepingSink>(std::move(wanted));
        session.saveAviAs("", sink);
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        return sink;
    }

    RecordingHost host;
    DesignerSession session{host};
};

TEST_F(GoldenRunFrames, eraseSweepPaintsAQuarterHalfAndAllOfTheRing) {
    const auto sink = run("erase-mode", 60, {1, 90, 180, 360});
    EXPECT_EQ(sink->count, 360);
    for (const auto& [number, frame] : sink->kept) {
        expectGolden(frame, "erase-mode", "frame-" + std::to_string(number));
    }
    EXPECT_EQ(sink->kept.size(), 4u);
}

TEST_F(GoldenRunFrames, digitalReadOutTurnsNoonWithFlashingSeparators) {
    // 11:59:50 AM at 30 frames a second, separators flashing every 15 frames: frame 1 shows them,
    // frame 20 hides them, frame 301 is the first of 12:00:00 PM.
    const auto sink = run("digital", 11, {1, 20, 301});
    EXPECT_EQ(sink->count, 330);
    for (const auto& [number, frame] : sink->kept) {
        expectGolden(frame, "digital", "frame-" + std::to_string(number));
    }
    EXPECT_EQ(sink->kept.size(), 3u);
}

} // namespace
