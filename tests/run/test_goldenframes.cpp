// Frames of the bundled sample designs, loaded through the design-file flow and composed as a
// run composes its first frame (the start time advanced by one step), compared pixel for pixel
// with the reference pictures under tests/data/golden/<design>/. Any change that moves a pixel
// fails here, to be looked at and, when intended, accepted by regenerating the references:
//
//     DW_UPDATE_GOLDEN=1 ctest --test-dir build -R GoldenFrames
//
// which rewrites every reference from the current code (review the pictures before committing).
// A failing comparison leaves the picture it got under <build>/golden-actual/<design>/.
// The digital sample and erase-mode frames need run code of their own and are not here; the
// erase-mode sample is covered by its preview.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "design/host.h"
#include "recordinghost.h"
#include "render/framecomposer.h"
#include "render/handgeometry.h"
#include "run/designersession.h"

using namespace dw::design;
using namespace dw::render;
using dw::run::DesignerSession;
using dw::testing::RecordingHost;

namespace {

bool updating() {
    const char* update = std::getenv("DW_UPDATE_GOLDEN");
    return update != nullptr && std::string(update) == "1";
}

std::string goldenFile(const std::string& design, const std::string& picture) {
    return std::string(DW_TEST_DATA_DIR) + "/golden/" + design + "/" + picture + ".png";
}

std::string actualFile(const std::string& design, const std::string& picture) {
    return std::string(DW_BIN_DIR) + "/../golden-actual/" + design + "/" + picture + ".png";
}

void save(const QImage& image, const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG")) << path;
}

// Empty when the two pictures agree in size and every pixel; otherwise what differs.
std::string difference(const QImage& expected, const QImage& actual) {
    if (expected.size() != actual.size()) {
        return "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height()) +
               ", expected " + std::to_string(expected.width()) + "x" +
               std::to_string(expected.height());
    }
    int count = 0;
    std::string first;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if ((expected.pixel(x, y) & 0xFFFFFF) != (actual.pixel(x, y) & 0xFFFFFF)) {
                if (count++ == 0) {
                    first = " (first at " + std::to_string(x) + "," + std::to_string(y) + ")";
                }
            }
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ" + first;
}

// Checks a rendered picture against its reference, or rewrites the reference when updating.
void expectGolden(const QImage& rendered, const std::string& design, const std::string& picture) {
    ASSERT_FALSE(rendered.isNull());
    const QImage image = rendered.convertToFormat(QImage::Format_RGB32);
    const std::string reference = goldenFile(design, picture);
    if (updating()) {
        save(image, reference);
        return;
    }
    const QImage expected(QString::fromStdString(reference));
    ASSERT_FALSE(expected.isNull())
        << reference << " is missing; make it with DW_UPDATE_GOLDEN=1 and review it";
    const std::string diff = difference(expected.convertToFormat(QImage::Format_RGB32), image);
    if (!diff.empty()) {
        save(image, actualFile(design, picture));
    }
    EXPECT_EQ(diff, "") << design << " " << picture << ": got " << actualFile(design, picture);
}

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
