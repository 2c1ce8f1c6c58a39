#include "render/centreplot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>

#include "design/clockdesign.h"
#include "design/pictureslots.h"
#include "picturefolder.h"
#include "recordinghost.h"
#include "render/handgeometry.h"

using namespace dw::design;
using namespace dw::render;
using dw::testing::PictureFolder;
using dw::testing::RecordedMessage;

namespace {

using PixelSet = std::set<std::pair<int, int>>;

// Runs a hook on every message, as a modal box lets queued commands run.
class MessageHookHost : public dw::testing::RecordingHost {
public:
    std::function<void()> onMessage;
    void showMessage(const std::string& text, MessageIcon icon) override {
        RecordingHost::showMessage(text, icon);
        if (onMessage) {
            onMessage();
        }
    }
};

PixelSet whitePixels(const Picture& picture) {
    PixelSet white;
    const QImage image = picture.toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == 0xFFFFFFFFu) {
                white.insert({x, y});
            }
        }
    }
    return white;
}

class CentrePlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.writePicture("face.bmp", 64, 64, 0xFF000000);
        pictures.loadPictureSlot(PictureSlot::Main, "Main background bitmap", true, "face.bmp");
        pictures.showMainPicture();
        design.centrex = 32;
        design.centrey = 30;
        design.radius = "20";
        design.sd = "100";
        design.innerradius = "10";
        host.onMessage = [this] {
            snapshots.push_back(whitePixels(pictures.window(PictureSlot::Main)->Picture1()));
        };
    }

    // The pixels the plot must light: the centre and, for every `step`-th row, the tip and the
    // inner-circle point of that row.
    PixelSet expectedMarks(int step) const {
        PixelSet marks{{design.centrex, design.centrey}};
        for (int row = 0; row <= 360; row += step) {
            for (QPoint p :
                 {geometry.tables().secondTip.at(row), geometry.tables().innerCircle.at(row)}) {
                marks.insert({p.x(), p.y()});
            }
        }
        return marks;
    }

    MessageHookHost host;
    ClockDesign design;
    PictureFolder folder;
    std::string iniDirectory = folder.path();
    PictureSlots pictures{host, design, iniDirectory};
    HandGeometry geometry;
    std::vector<PixelSet> snapshots;
};

TEST_F(CentrePlotTest, plotsEverySixthRowThenEveryRowAsSinglePixels) {
    const auto main = pictures.window(PictureSlot::Main);
    dw::platform::SetPixel(main->Picture1().handle(), 0, 0, 0xFFFFFF); // a left-over mark
    plotCentre(pictures, geometry, design, host, false);

    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{{"Step 6", MessageIcon::None},
                                                           {"Step 1", MessageIcon::None}}));
    ASSERT_EQ(snapshots.size(), 2u);
    EXPECT_EQ(snapshots[0], expectedMarks(6));
    EXPECT_EQ(snapshots[1], expectedMarks(1));
    EXPECT_TRUE(snapshots[0].count({32, 50})) << "six o'clock on the tip circle";
    EXPECT_FALSE(snapshots[0].count({33, 50})) << "a mark is one pixel";
    EXPECT_TRUE(snapshots[0].count({32, 20})) << "twelve o'clock on the inner circle";
    EXPECT_FALSE(snapshots[1].count({0, 0})) << "earlier marks are wiped first";
    EXPECT_TRUE(std::includes(snapshots[1].begin(), snapshots[1].end(), snapshots[0].begin(),
                              snapshots[0].end()));
    EXPECT_GT(snapshots[1].size(), snapshots[0].size());

    EXPECT_EQ(whitePixels(main->Picture1()), snapshots[1]) << "the last plot stays";
    EXPECT_TRUE(whitePixels(main->Picture1b()).empty());
    EXPECT_TRUE(whitePixels(pictures.Picture2()).empty());
}

TEST_F(CentrePlotTest, whileSavingOnlyTheMessageShows) {
    const auto main = pictures.window(PictureSlot::Main);
    dw::platform::SetPixel(main->Picture1().handle(), 3, 3, 0xFFFFFF);
    plotCentre(pictures, geometry, design, host, true);
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{"Save in progress", MessageIcon::Information}}));
    EXPECT_EQ(whitePixels(main->Picture1()), (PixelSet{{3, 3}}));
}

TEST_F(CentrePlotTest, withoutAMainPictureNothingShows) {
    pictures.unload(PictureSlot::Main);
    host.windowEvents.clear();
    plotCentre(pictures, geometry, design, host, false);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.windowEvents.empty());
}

TEST_F(CentrePlotTest, marksOffThePictureAreLeftOut) {
    design.radius = "1000";
    plotCentre(pictures, geometry, design, host, false);
    ASSERT_EQ(snapshots.size(), 2u);
    EXPECT_TRUE(snapshots[1].count({32, 40})) << "the inner circle is still drawn";
}

TEST_F(CentrePlotTest, unloadingTheFaceDuringAMessageDoesNotPullItFromUnderThePlot) {
    const auto main = pictures.window(PictureSlot::Main);
    host.onMessage = [this] {
        pictures.unload(PictureSlot::Main);
        geometry.computeHandTables(design);
    };
    plotCentre(pictures, geometry, design, host, false);
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string>{"Step 6", "Step 1"}));
    EXPECT_FALSE(whitePixels(main->Picture1()).empty());
}

} // namespace
