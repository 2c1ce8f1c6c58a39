// The erase-mode run through the session, with the real components and a scripted host.
#include "run/eraserun.h"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "render/renderwindowmodel.h"
#include "runfixture.h"

using namespace dw::design;
using namespace dw::testing;
using dw::run::DesignerSession;

namespace {

constexpr QRgb kFace = 0xFF204060;
constexpr QRgb kBackground = 0xFF0000FF;

class EraseRunTest : public RunFixture {
protected:
    void SetUp() override {
        RunFixture::SetUp();
        session.design().erase = 1;
        session.design().duration = "1";
    }

    // A red sweep over a 400x240 blue erase background, the face laid at (40, 30) with red
    // left out, so that the swept area shows the background.
    void setUpComposite() {
        auto& d = session.design();
        d.usebackground = 1;
        d.sred = "255";
        d.sgreen = "0";
        d.sblue = "0";
        d.transr = "255";
        d.transg = "0";
        d.transb = "0";
        d.eraseTopLeftX = 40;
        d.eraseTopLeftY = 30;
        host.openAnswers.push_back(writePicture("erase.bmp", 400, 240, kBackground));
        session.loadEraseBK();
        host.windowEvents.clear();
    }

    std::vector<int> positions() const {
        std::vector<int> out;
        for (const auto& s : statuses()) {
            EXPECT_EQ(s.hour, 0);
            EXPECT_EQ(s.minute, 0);
            out.push_back(s.second);
        }
        return out;
    }

    QRgb mainPixel(int x, int y) const {
        return session.pictures().window(PictureSlot::Main)->Picture1().toImage().pixel(x, y);
    }
};

// Blue, green, red of a pixel of a decoded frame.
std::array<int, 3> bgrAt(const std::vector<std::uint8_t>& frame, int width, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return {frame[at], frame[at + 1], frame[at + 2]};
}

TEST_F(EraseRunTest, sweepFromThirtySecondsStartsAtSixOClockAndTurnsForward) {
    session.design().times = "30";
    session.test();
    EXPECT_EQ(positions(), (std::vector<int>{360, 359, 358, 357, 356, 355}));
    EXPECT_EQ(frameNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(host.statusOf("STA_FRAMECOUNT").front(), " 0, 0, 360 :  1");
    expectIdle();
}

TEST_F(EraseRunTest, positionOneIsFollowedBySixOClockAndEachSecondIsSixFrames) {
    session.design().times = "29";
    session.design().duration = "2";
    session.test();
    EXPECT_EQ(positions(), (std::vector<int>{6, 5, 4, 3, 2, 1, 360, 359, 358, 357, 356, 355}));
}

TEST_F(EraseRunTest, aWholeTurnPaintsTheFaceButNotTheDiscInsideTheInnerRadius) {
    session.design().duration = "60";
    session.test();
    EXPECT_EQ(frameNumbers().size(), 360u);
    EXPECT_EQ(mainPixel(160, 130), 0xFFFFFFFFu); // under the sweep
    EXPECT_EQ(mainPixel(190, 90), 0xFFFFFFFFu);
    EXPECT_EQ(mainPixel(160, 90), kFace); // the centre, inside the inner radius
    EXPECT_EQ(mainPixel(5, 5), kFace);    // beyond the second hand's length
}

TEST_F(EraseRunTest, exportKeepsEveryLineDrawnSoFar) {
    session.design().times = "30";
    const std::string path = output.file("erase.avi");
    session.saveAviAs(path);
    const Probe probe = probeVideo(path);
    EXPECT_EQ(probe.decodedFrames, 6);
    EXPECT_EQ(probe.width, 320);
    const auto frames = decodedFrames(path, 320, 180);
    ASSERT_EQ(frames.size(), 6u);
    // The first line, straight down from the inner circle, is still there in the last frame.
    EXPECT_EQ(bgrAt(frames[0], 320, 160, 130), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(bgrAt(frames[5], 320, 160, 130), (std::array<int, 3>{255, 255, 255}));
    EXPECT_NE(frames[0], frames[5]);
    expectIdle();
}

TEST_F(EraseRunTest, compositeShowsTheEraseBackgroundWhereTheSweepPainted) {
    setUpComposite();
    session.design().times = "30";
    bool busy = false;
    bool closed = true;
    host.onYield = [&] {
        if (host.yieldCount == 1) {
            busy = session.renderWindow().bSaving;
            closed = session.unloadRenderWindow();
        }
    };
    const std::string path = output.file("composite.avi");
    session.saveAviAs(path);
    EXPECT_TRUE(busy);
    EXPECT_FALSE(closed);
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{
                                 {"Cannot exit at this time", MessageIcon::Information}}));
    EXPECT_FALSE(session.renderWindow().bSaving);
    const auto frames = decodedFrames(path, 400, 240);
    ASSERT_EQ(frames.size(), 6u);
    const std::array<int, 3> blue{255, 0, 0};
    EXPECT_EQ(bgrAt(frames[0], 400, 5, 5), blue);     // background beside the face
    EXPECT_EQ(bgrAt(frames[0], 400, 200, 160), blue); // the swept line, left out
    EXPECT_EQ(bgrAt(frames[0], 400, 50, 40), (std::array<int, 3>{0x60, 0x40, 0x20})); // face
    // The main picture is hidden while its frames show in the render window, then shown again.
    const auto& events = host.windowEvents;
    EXPECT_NE(std::find(events.begin(), events.end(),
                        std::make_pair(std::string("Main background bitmap"), WindowEvent::Hidden)),
              events.end());
    EXPECT_TRUE(session.pictures().window(PictureSlot::Main)->isVisible());
    expectIdle();
}

// The centre and the composite position are taken when the run starts, like the hand tables the
// line's tips come from; moving them during the run changes nothing until the next run.
TEST_F(EraseRunTest, centreAndCompositePositionMovedDuringARunAreNotFollowed) {
    setUpComposite();
    session.design().useir = 0;
    session.design().times = "30";
    host.onYield = [&] {
        if (host.yieldCount == 1) {
            session.design().centrex = 10;
            session.design().centrey = 10;
            session.design().eraseTopLeftX = 0;
            session.design().eraseTopLeftY = 0;
        }
    };
    const std::string path = output.file("moved.avi");
    session.saveAviAs(path);
    const auto frames = decodedFrames(path, 400, 240);
    ASSERT_EQ(frames.size(), 6u);
    // The face stays at (40, 30): the corner of the last frame is still the background.
    EXPECT_EQ(bgrAt(frames[5], 400, 5, 5), (std::array<int, 3>{255, 0, 0}));
    // No line was drawn from the moved centre.
    EXPECT_EQ(mainPixel(10, 10), kFace);
    EXPECT_EQ(mainPixel(160, 130), 0xFFFF0000u); // the sweep about the real centre
}

TEST_F(EraseRunTest, unloadingTheEraseBackgroundDuringACompositeExportEndsIt) {
    setUpComposite();
    session.design().duration = "2";
    host.onYield = [&] {
        if (host.yieldCount == 4) {
            session.unloadEraseBK();
        }
    };
    const std::string path = output.file("unloaded.avi");
    session.saveAviAs(path);
    // The fourth frame was written before the yield; the run ended before counting it.
    EXPECT_EQ(probeVideo(path).decodedFrames, 4);
    EXPECT_EQ(frameNumbers().back(), 3);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(session.renderWindow().bSaving);
    expectIdle();
}

TEST_F(EraseRunTest, stopTestCompletesCountsAndShowsTheFrameItArrivesIn) {
    session.design().duration = "5";
    host.onYield = [&] {
        if (host.yieldCount == 2) {
            session.stopTest();
        }
    };
    session.test();
    EXPECT_EQ(frameNumbers(), (std::vector<int>{1, 2}));
    expectIdle();
}

TEST_F(EraseRunTest, pacedTestHoldsEachFrameForASixthOfASecond) {
    session.design().synctest = 1;
    host.ticksPerYield = 83;
    session.test();
    EXPECT_EQ(host.yieldCount, 6 * 2);
}

struct EraseRefusal {
    const char* name;
    void (*setUp)(DesignerSession&);
    RecordedMessage message;
};

class EraseRunRefusal : public EraseRunTest, public ::testing::WithParamInterface<EraseRefusal> {};

TEST_P(EraseRunRefusal, showsItsMessageAndLeavesNoRunAndNoFile) {
    GetParam().setUp(session);
    const std::string path = output.file("refused.avi");
    session.saveAviAs(path);
    EXPECT_EQ(host.messages, std::vector<RecordedMessage>{GetParam().message});
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(statuses().empty());
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(
    EraseRun, EraseRunRefusal,
    ::testing::Values(EraseRefusal{"compositeWithoutBackground",
                                   [](DesignerSession& s) { s.design().usebackground = 1; },
                                   {"No background picture has been loaded",
                                    MessageIcon::Critical}},
                      EraseRefusal{"lineWidth0",
                                   [](DesignerSession& s) { s.design().sw = "0"; },
                                   {"Invalid width for seconds", MessageIcon::None}},
                      EraseRefusal{"seconds60",
                                   [](DesignerSession& s) { s.design().times = "60"; },
                                   {"Invalid seconds", MessageIcon::None}},
                      EraseRefusal{"duration0",
                                   [](DesignerSession& s) { s.design().duration = "0"; },
                                   {"Invalid duration", MessageIcon::None}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
