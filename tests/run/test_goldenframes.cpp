// Frames of the bundled sample designs, loaded through the design-file flow and composed as a
// run composes its first frame (the start time advanced by one step), compared pixel for pixel
// with the reference pictures under tests/data/golden/<design>/. Any change that moves a pixel
// fails here, to be looked at and, when intended, accepted by regenerating the references:
//
//     DW_UPDATE_GOLDEN=1 ctest --test-dir build -R GoldenFrames
//
// which rewrites every reference from the current code (review the pictures before committing).
// A failing comparison leaves the picture it got under <build>/golden-actual/<design>/.
// Frames of whole runs (erase mode, the digital read-out) are in test_goldenrunframes.cpp.
#include <gtest/gtest.h>

#include <QImage>
#include <optional>
#include <string>

#include "design/host.h"
#include "goldenimage.h"
#include "recordinghost.h"
#include "render/framecomposer.h"
#include "render/handgeometry.h"
#include "run/designersession.h"

using namespace dw::design;
using namespace dw::render;
using dw::run::DesignerSession;
using dw::testing::expectGolden;
using dw::testing::RecordingHost;

namespace {

class GoldenFramesTest : public ::testing::Test {
protected:
    void loadSample(const std::string& design) {
        const std::string file = std::string(DW_SAMPLES_DIR) + "/" + design + ".ini";
        ASSERT_EQ(session.loadIniFile(file), FileFlowResult::Done) << file;
        ASSERT_TRUE(host.messages.empty()) << host.messages.front().text;
    }

    // The first frame of a run from the given time, as the still picture of a run shows it.
    QImage firstFrame(int hours, int minutes, int seconds) {
        ClockDesign& design = session.design();
        design.timeh = std::to_string(hours);
        design.timem = std::to_string(minutes);
        design.times = std::to_string(seconds);
        HandGeometry& geometry = session.geometry();
        geometry.computeHandTables(design);
        session.quickReloadBackground();
        const MovementOptions options = MovementOptions::fromToolbar(session.toolbar());
        HandIndices at =
            geometry.startIndices(hours, minutes, static_cast<std::int16_t>(seconds), options);
        FrameContext context = session.frameContext();
        RotationObject rotation;
        if (readBitmapHands(design)) {
            EXPECT_TRUE(session.checkBitmapsLoaded());
            rotation = prepareBitmapHands(context);
        }
        const std::optional<NormalRunSettings> settings = readNormalRunSettings(design, host);
        EXPECT_TRUE(settings);
        FrameComposer composer(context, *settings, std::move(rotation));
        geometry.advanceTime(at, options, 0);
        composer.drawFrame(at);
        return composer.surface().toImage();
    }

    RecordingHost host;
    DesignerSession session{host};
};

struct GoldenTime {
    const char* name;   // the reference picture's name
    const char* design; // the sample design
    int hours, minutes, seconds;
};

class GoldenFrames : public GoldenFramesTest, public ::testing::WithParamInterface<GoldenTime> {};

TEST_P(GoldenFrames, firstFrameOfARunMatchesItsReference) {
    const GoldenTime& row = GetParam();
    loadSample(row.design);
    expectGolden(firstFrame(row.hours, row.minutes, row.seconds), row.design, row.name);
    EXPECT_TRUE(host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Samples, GoldenFrames,
                         ::testing::Values(GoldenTime{"10-10-30", "line-hands", 10, 10, 30},
                                           GoldenTime{"12-00-00", "line-hands", 12, 0, 0},
                                           GoldenTime{"03-40-15", "line-hands", 3, 40, 15},
                                           GoldenTime{"03-40-15", "kite-hands", 3, 40, 15},
                                           GoldenTime{"12-00-00", "kite-hands", 12, 0, 0},
                                           GoldenTime{"08-20-50", "kite-hands", 8, 20, 50},
                                           GoldenTime{"10-08-42", "bitmap-hands", 10, 8, 42},
                                           GoldenTime{"12-00-00", "bitmap-hands", 12, 0, 0},
                                           GoldenTime{"04-50-05", "bitmap-hands", 4, 50, 5}),
                         [](const ::testing::TestParamInfo<GoldenTime>& info) {
                             std::string name =
                                 std::string(info.param.design) + "_" + info.param.name;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST_F(GoldenFramesTest, bitmapPreviewMatchesItsReference) {
    loadSample("bitmap-hands");
    session.cmdPreviewBMP();
    ASSERT_TRUE(host.messages.empty());
    expectGolden(session.renderWindow().Picture1().toImage(), "bitmap-hands", "preview");
}

TEST_F(GoldenFramesTest, erasePreviewMatchesItsReference) {
    loadSample("erase-mode");
    session.cmdPreview();
    ASSERT_TRUE(host.messages.empty());
    expectGolden(session.renderWindow().Picture1().toImage(), "erase-mode", "preview");
}

} // namespace
