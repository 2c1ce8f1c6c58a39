// The normal-mode run through the session, with the real components and a scripted host.
#include "run/normalrun.h"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "runfixture.h"

using namespace dw::design;
using namespace dw::testing;
using dw::run::DesignerSession;

namespace {

class NormalRunTest : public RunFixture {
protected:
    std::string exportFile(const std::string& name = "run.avi") {
        const std::string path = output.file(name);
        session.saveAviAs(path);
        return path;
    }
    void press(const char* key) { session.toolbar().setToolbarButton(key, 1); }
};

std::vector<int> oneTo(int n) {
    std::vector<int> out;
    for (int i = 1; i <= n; ++i) {
        out.push_back(i);
    }
    return out;
}

TEST_F(NormalRunTest, testCountsEveryFrameOfEachStepAndStartsOneStepOn) {
    session.test();
    const auto shown = statuses();
    EXPECT_EQ(frameNumbers(), oneTo(30));
    ASSERT_EQ(shown.size(), 30u);
    // 3:00:00 stepped: the first step already shows one second past the start.
    EXPECT_EQ(shown[0].hour, 90);
    EXPECT_EQ(shown[0].minute, 180);
    EXPECT_EQ(shown[0].second, 174);
    EXPECT_EQ(shown[14].second, 174);
    EXPECT_EQ(shown[15].second, 168);
    EXPECT_EQ(host.statusOf("STA_FRAMECOUNT").front(), " 90, 180, 174 :  1");
    EXPECT_TRUE(host.messages.empty());
    expectIdle();
}

TEST_F(NormalRunTest, exportWritesEachStepAsManyTimesAsTheFrameRateAsks) {
    const std::string path = exportFile();
    const Probe probe = probeVideo(path);
    ASSERT_TRUE(probe.ok) << probe.errors;
    EXPECT_EQ(probe.decodedFrames, 30);
    EXPECT_EQ(probe.frameRate, "15/1");
    EXPECT_EQ(probe.width, 320);
    EXPECT_EQ(probe.height, 180);
    const auto frames = decodedFrames(path, 320, 180);
    ASSERT_EQ(frames.size(), 30u);
    EXPECT_EQ(frames[0], frames[14]);
    EXPECT_EQ(frames[15], frames[29]);
    EXPECT_NE(frames[14], frames[15]);
    EXPECT_EQ(frameNumbers(), oneTo(30));
    EXPECT_TRUE(host.messages.empty());
    expectIdle();
}

TEST_F(NormalRunTest, sinkReceivesExactlyTheFramesTheWriterWrites) {
    press("IDM_JITTERS");
    const std::string path = exportFile();
    auto sink = std::make_shared<RecordingSink>();
    session.saveAviAs("", sink);
    EXPECT_EQ(sink->opens, 1);
    EXPECT_EQ(sink->closes, 1);
    EXPECT_EQ(sink->width, 320);
    EXPECT_EQ(sink->height, 180);
    EXPECT_EQ(sink->framesPerSecond, 15);
    const auto frames = decodedFrames(path, 320, 180);
    ASSERT_EQ(frames.size(), 30u);
    ASSERT_EQ(sink->frames.size(), 30u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(bgrOf(sink->frames[i]), frames[i]) << "frame " << i;
    }
}

TEST_F(NormalRunTest, jitterWobblesFiveFramesThenCopiesTheLast) {
    press("IDM_JITTERS");
    session.design().duration = "1";
    session.test();
    const auto shown = statuses();
    ASSERT_EQ(shown.size(), 15u);
    const int wobble[] = {174, 176, 174, 172, 174};
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(shown[i].frame, i + 1);
        EXPECT_EQ(shown[i].second, i < 5 ? wobble[i] : 174) << "frame " << i + 1;
    }
}

TEST_F(NormalRunTest, jitterAtFiveFramesPerSecondGivesOnlyTheJitterFrames) {
    press("IDM_JITTERS");
    session.design().copyfps = "5";
    const std::string path = exportFile();
    EXPECT_EQ(probeVideo(path).decodedFrames, 10);
    // During an export each jitter frame shows its text twice: before and after writing.
    const auto numbers = frameNumbers();
    ASSERT_EQ(numbers.size(), 20u);
    EXPECT_EQ(numbers.back(), 10);
}

TEST_F(NormalRunTest, smoothSecondsMakeSixStepsASecondOfASixthOfTheFrames) {
    press("IDM_SMOOTHS");
    session.design().copyfps = "12";
    session.design().duration = "1";
    session.test();
    const auto shown = statuses();
    ASSERT_EQ(shown.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(shown[i].second, 179 - i / 2) << "frame " << i + 1;
    }
}

TEST_F(NormalRunTest, smoothSecondsRefuseARateThatIsNotAMultipleOfSix) {
    press("IDM_SMOOTHS");
    session.design().copyfps = "10";
    session.test();
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{
                  {"In this version copy FPS must be a multiple of 6 for second hand smooth "
                   "movement",
                   MessageIcon::Information}}));
    EXPECT_TRUE(statuses().empty());
    expectIdle();
}

TEST_F(NormalRunTest, syncedTestWaitsEachStepFromTheEndOfItsDrawing) {
    session.design().synctest = 1;
    session.design().copyfps = "2";
    host.ticksPerYield = 100;
    session.test();
    // Per step: ten yields of 100 ms to fill the second, then one per copy.
    EXPECT_EQ(host.yieldCount, 2 * (10 + 2));
}

TEST_F(NormalRunTest, syncedJitterFramesWaitTwentyFiveMilliseconds) {
    press("IDM_JITTERS");
    session.design().synctest = 1;
    session.design().copyfps = "6";
    session.design().duration = "1";
    host.ticksPerYield = 5;
    session.test();
    EXPECT_EQ(host.yieldCount, 5 * 5 + 200 + 1);
}

TEST_F(NormalRunTest, untickingSyncTestEndsTheWaitAtOnce) {
    session.design().synctest = 1;
    session.design().copyfps = "2";
    host.ticksPerYield = 100;
    host.onYield = [&] {
        if (host.yieldCount == 3) {
            session.design().synctest = 0;
        }
    };
    session.test();
    EXPECT_EQ(host.yieldCount, 3 + 2 + 1 + 2);
}

struct Refusal {
    const char* name;
    void (*setUp)(DesignerSession&);
    RecordedMessage message;
};

class NormalRunRefusal : public NormalRunTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(NormalRunRefusal, showsItsMessageAndLeavesNoRunAndNoFile) {
    GetParam().setUp(session);
    const std::string path = exportFile();
    EXPECT_EQ(host.messages, std::vector<RecordedMessage>{GetParam().message});
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(statuses().empty());
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(
    NormalRun, NormalRunRefusal,
    ::testing::Values(
        Refusal{"hour0", [](DesignerSession& s) { s.design().timeh = "0"; },
                {"Invalid hour", MessageIcon::None}},
        Refusal{"hour13", [](DesignerSession& s) { s.design().timeh = "13"; },
                {"Invalid hour", MessageIcon::None}},
        Refusal{"minutes60", [](DesignerSession& s) { s.design().timem = "60"; },
                {"Invalid minutes", MessageIcon::None}},
        Refusal{"secondsMinus1", [](DesignerSession& s) { s.design().times = "-1"; },
                {"Invalid seconds", MessageIcon::None}},
        Refusal{"duration0", [](DesignerSession& s) { s.design().duration = "0"; },
                {"Invalid duration", MessageIcon::None}},
        Refusal{"hourWidth0", [](DesignerSession& s) { s.design().hw = "0"; },
                {"Invalid width for hours", MessageIcon::None}},
        Refusal{"minuteWidthRoundsTo0", [](DesignerSession& s) { s.design().mw = "0.5"; },
                {"Invalid width for minutes", MessageIcon::None}},
        Refusal{"secondWidthNotANumber", [](DesignerSession& s) { s.design().sw = "x"; },
                {"Invalid width for seconds", MessageIcon::None}},
        Refusal{"vectorHandWithoutFillOrOutline",
                [](DesignerSession& s) { s.design().ac_chkminutes = 1; },
                {"4 point vectoring for the minute hand is enabled but neither fill or "
                 "outlined are enabled",
                 MessageIcon::Information}},
        Refusal{"bitmapHandsWithoutBitmaps", [](DesignerSession& s) { s.design().chkBitmap = 1; },
                {"Hour bitmap has not been loaded", MessageIcon::Critical}},
        Refusal{"widthsBeforeStartTime",
                [](DesignerSession& s) {
                    s.design().sw = "0";
                    s.design().timeh = "13";
                },
                {"Invalid width for seconds", MessageIcon::None}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NormalRunTest, runtimeErrorBeforeTheFramesStillRunsTheClosingSteps) {
    session.design().hred = "99999"; // past 16 bits
    auto sink = std::make_shared<RecordingSink>();
    session.saveAviAs("", sink);
    EXPECT_EQ(sink->opens, 0);
    EXPECT_EQ(sink->closes, 1);
    EXPECT_TRUE(host.messages.empty());
    expectIdle();
}

TEST_F(NormalRunTest, runtimeErrorAtTheFirstDrawingClosesTheOpenExport) {
    session.design().hw = "40000"; // a width, but no 16-bit pen
    auto sink = std::make_shared<RecordingSink>();
    session.saveAviAs("", sink);
    EXPECT_EQ(sink->opens, 1);
    EXPECT_TRUE(sink->frames.empty());
    EXPECT_EQ(sink->closes, 1);
    EXPECT_TRUE(host.messages.empty());
    expectIdle();
}

TEST_F(NormalRunTest, exportToAFolderThatCannotBeWrittenShowsTheWritersMessage) {
    const std::string path = output.file("missing/run.avi");
    session.saveAviAs(path);
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{"AVIFileOpen failed.\n", MessageIcon::None}}));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(statuses().empty());
    expectIdle();
}

TEST_F(NormalRunTest, frameSinkFailureEndsTheRunThroughItsClosingSteps) {
    auto sink = std::make_shared<RecordingSink>();
    sink->failAtFrame = 5;
    session.saveAviAs("", sink);
    EXPECT_EQ(sink->frames.size(), 5u);
    EXPECT_EQ(sink->closes, 1);
    EXPECT_EQ(frameNumbers().back(), 5);
    expectIdle();
}

} // namespace
