#include "run/digitalanimation.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "design/advancedsettings.h"
#include "design/numbertext.h"
#include "mediatools.h"
#include "recordinghost.h"
#include "run/designersession.h"
#include "run/digitalsettings.h"

using namespace dw::design;
using namespace dw::run;
using dw::testing::RecordedMessage;

namespace {

struct RecordingSink : FrameSink {
    int opens = 0, closes = 0, fps = 0;
    std::size_t failAtFrame = 0; // 1-based; 0 never fails
    std::vector<QImage> frames;
    bool open(int, int, int framesPerSecond) override {
        ++opens;
        fps = framesPerSecond;
        return true;
    }
    bool writeFrame(const Picture& frame) override {
        frames.push_back(frame.toImage());
        return frames.size() != failAtFrame;
    }
    void close() override { ++closes; }
};

class DigitalRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        QImage face(200, 40, QImage::Format_RGB32);
        face.fill(0xFF204060);
        ASSERT_TRUE(face.save(QString::fromStdString(folder.file("face.bmp")), "BMP"));
        session.loadPictureSlot(PictureSlot::Main, "Main background bitmap", true,
                                folder.file("face.bmp"));
        session.showMainPicture();
        ClockDesign& d = session.design();
        otherDefaults(d);
        d.strFont = "DejaVu Sans";
        d.nFSize = 12;
        d.nDigitalLeft = 4;
        d.nDigitalTop = 6;
        d.ac_edtSepG = "0"; // magenta separators, distinct from the white numbers
        d.duration = "3";
    }
    void setTime(const char* h, const char* m, const char* s) {
        session.design().timeh = h;
        session.design().timem = m;
        session.design().times = s;
    }
    RunOutput exportToSink() {
        RunOutput output;
        output.save = true;
        output.frameSink = sink;
        session.digitalAnimation(output, false);
        return output;
    }
    // The clean face with a read-out drawn as the run should draw it.
    QImage expected(const DigitalNumbers& numbers, bool isAM, bool separatorsOn = true) {
        Picture frame;
        frame.copyFrom(session.Picture2());
        const ClockDesign& d = session.design();
        const DigitalSettings s = *readDigitalSettings(d, host, false);
        drawDigitalTime(frame, readoutFont(d.strFont, d.nFSize, d.bFBold, d.bFItalic), s.left,
                        s.top, readoutItems(s.style, readoutTexts(d), numbers, isAM, separatorsOn),
                        false);
        return frame.toImage();
    }
    bool idleAgain() const {
        const RunState& st = session.runState();
        return !st.running && st.idle && !st.saving;
    }

    dw::testing::RecordingHost host;
    dw::testing::TempDir folder;
    DesignerSession session{host};
    std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();
};

TEST_F(DigitalRunTest, twelveHourClockSwapsAmAndPmAtNoonBothWays) {
    session.design().ac_chkHourMode = 0;
    setTime("11", "59", "58");
    exportToSink();
    ASSERT_EQ(sink->frames.size(), 3u);
    EXPECT_EQ(sink->frames[0], expected({"11", "59", "58"}, true));
    EXPECT_EQ(sink->frames[1], expected({"11", "59", "59"}, true));
    EXPECT_EQ(sink->frames[2], expected({"12", "00", "00"}, false));
    EXPECT_NE(sink->frames[2], expected({"12", "00", "00"}, true));
    EXPECT_EQ(host.yieldCount, 0);
    EXPECT_EQ(sink->closes, 1);
    EXPECT_TRUE(idleAgain());

    sink->frames.clear();
    session.design().ac_chkAMPM = 0;
    session.design().ac_chkAsc = 0;
    session.design().ac_chkAMPMpos = 0; // the marker before the hours
    setTime("12", "00", "01");
    exportToSink();
    ASSERT_EQ(sink->frames.size(), 3u);
    EXPECT_EQ(sink->frames[1], expected({"12", "00", "00"}, false));
    EXPECT_EQ(sink->frames[2], expected({"11", "59", "59"}, true));
}

TEST_F(DigitalRunTest, dayWrapsToMidnightAndEachSecondLastsTheFrameRate) {
    setTime("23", "59", "59");
    session.design().duration = "2";
    session.design().copyfps = "3";
    const RunOutput output = exportToSink();
    EXPECT_EQ(output.framesPerSecond, 3);
    EXPECT_EQ(sink->fps, 3);
    ASSERT_EQ(sink->frames.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(sink->frames[i], expected(i < 3 ? DigitalNumbers{"23", "59", "59"}
                                                  : DigitalNumbers{"00", "00", "00"},
                                            true))
            << i;
    }
    EXPECT_EQ(host.statusOf("STA_FRAMECOUNT"),
              (std::vector<std::string>{" 1", " 2", " 3", " 4", " 5", " 6"}));
}

TEST_F(DigitalRunTest, flashingSeparatorsFlipEveryFifteenFramesLeavingTheirSpace) {
    ClockDesign& d = session.design();
    d.ac_chkFlash = 1;
    d.ac_FlashEvery = "15";
    d.copyfps = "45";
    d.duration = "1";
    setTime("9", "05", "07");
    exportToSink();
    ASSERT_EQ(sink->frames.size(), 45u);
    const QImage shown = expected({"09", "05", "07"}, true, true);
    const QImage hidden = expected({"09", "05", "07"}, true, false);
    ASSERT_NE(shown, hidden);
    for (int i = 0; i < 45; ++i) {
        EXPECT_EQ(sink->frames[i], i < 15 || i >= 30 ? shown : hidden) << "frame " << i + 1;
    }
}

TEST_F(DigitalRunTest, screenRunsWaitTheFrameIntervalOrYieldOnce) {
    host.ticksPerYield = 1;
    RunOutput output;
    for (const auto& [fps, paced, yieldsPerFrame] :
         {std::tuple{"3", 1, 333}, {"6", 1, 167}, {"6", 0, 1}}) {
        session.design().copyfps = fps;
        session.design().synctest = static_cast<std::int16_t>(paced);
        session.design().duration = "1";
        host.yieldCount = 0;
        session.digitalAnimation(output, false);
        EXPECT_EQ(host.yieldCount, output.framesPerSecond * yieldsPerFrame) << fps;
    }
    EXPECT_TRUE(session.pictures().window(PictureSlot::Main)->isVisible());
    EXPECT_TRUE(idleAgain());
}

TEST_F(DigitalRunTest, stopAndUnloadDuringAYieldEndTheRunThroughItsClosingSteps) {
    session.design().duration = "10";
    session.design().synctest = 0;
    RunOutput output;
    host.onYield = [&] {
        if (host.yieldCount == 2) {
            session.runState().running = false; // stopTest
        }
    };
    session.digitalAnimation(output, false);
    EXPECT_EQ(host.statusOf("STA_FRAMECOUNT"), (std::vector<std::string>{" 1", " 2"}));
    EXPECT_TRUE(idleAgain());

    host.onYield = [&] { session.unload_background(); };
    session.digitalAnimation(output, false);
    EXPECT_EQ(host.yieldCount, 3);
    EXPECT_TRUE(idleAgain());
}

// A digital run started directly (not through test) still counts as active, so a test run
// inside it leaves idle off while the outer run is stopping; a measure inside it does not count.
TEST_F(DigitalRunTest, runStartedDirectlyStaysActiveUntilItsOwnEnd) {
    session.design().synctest = 0;
    session.design().duration = "2";
    RunOutput output;
    bool issued = false;
    bool outerStopping = false;
    host.onYield = [&] {
        if (issued) {
            return;
        }
        issued = true;
        session.design().duration = "1";
        session.test();
        RunOutput measure;
        session.digitalAnimation(measure, true);
        const RunState& st = session.runState();
        outerStopping = !st.running && !st.idle && st.activeRuns == 1;
    };
    session.digitalAnimation(output, false);
    EXPECT_TRUE(outerStopping);
    EXPECT_EQ(session.runState().activeRuns, 0);
    EXPECT_TRUE(idleAgain());
}

TEST_F(DigitalRunTest, failedFrameOrOverflowEndsTheRunQuietly) {
    sink->failAtFrame = 2;
    exportToSink();
    EXPECT_EQ(sink->frames.size(), 2u);
    EXPECT_EQ(sink->closes, 1);
    EXPECT_TRUE(idleAgain());
    session.design().ac_edtSepR = "70000";
    exportToSink();
    EXPECT_EQ(sink->frames.size(), 2u);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(idleAgain());
}

struct Refusal {
    const char* name;
    std::string ClockDesign::*field;
    const char* text;
    std::int16_t ClockDesign::*check; // set to 1 - its start value, or none
    RecordedMessage message;
};

class DigitalRefusals : public DigitalRunTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(DigitalRefusals, showTheirMessageAndWriteNoFile) {
    ClockDesign& d = session.design();
    d.*GetParam().field = GetParam().text;
    if (GetParam().check != nullptr) {
        d.*GetParam().check = static_cast<std::int16_t>(1 - d.*GetParam().check);
    }
    const std::string file = folder.file("out.avi");
    RunOutput output{true, file, 1, nullptr};
    session.digitalAnimation(output, false);
    EXPECT_EQ(host.messages, std::vector<RecordedMessage>{GetParam().message});
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(host.statusTexts.empty());
    EXPECT_TRUE(idleAgain());
}

constexpr auto kNone = MessageIcon::None;
constexpr auto kInfo = MessageIcon::Information;
using D = ClockDesign;

INSTANTIATE_TEST_SUITE_P(
    Digital, DigitalRefusals,
    ::testing::Values(
        Refusal{"hour24", &D::timeh, "24", nullptr, {kInvalidHour24, kNone}},
        Refusal{"hour12Zero", &D::timeh, "0", &D::ac_chkHourMode, {kInvalidHour12, kNone}},
        Refusal{"minutes", &D::timem, "60", nullptr, {kInvalidMinutes, kNone}},
        Refusal{"seconds", &D::times, "-1", nullptr, {kInvalidSeconds, kNone}},
        Refusal{"duration", &D::duration, "0", nullptr, {kInvalidDuration, kNone}},
        Refusal{"flashEvery", &D::ac_FlashEvery, "0", &D::ac_chkFlash, {kInvalidFlashEvery, kInfo}},
        Refusal{"font", &D::strFont, "", nullptr, {kNoFont, kInfo}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DigitalRunTest, saveInProgressRefusesEvenAMeasure) {
    session.runState().saving = true;
    RunOutput probe;
    session.digitalAnimation(probe, true);
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{{"Save in progress", kInfo}}));
    EXPECT_EQ(session.testwid(), 0);
}

TEST_F(DigitalRunTest, measuringLaysOutFromZeroWithoutDrawingOrDisturbingARun) {
    const auto main = session.pictures().window(PictureSlot::Main);
    main->Picture1().clear(0x0000FF); // an outer run's frame
    session.runState() = {true, false, false};
    RunOutput probe;
    session.digitalAnimation(probe, true);
    const ReadoutLayout layout = layoutReadout(
        readoutFont("DejaVu Sans", 12, false, false), 0,
        readoutItems({}, readoutTexts(session.design()), {"09", "10", "30"}, true, true));
    EXPECT_EQ(session.testwid(), layout.width);
    EXPECT_EQ(session.testhei(), layout.height);
    EXPECT_EQ(main->Picture1().toImage().pixel(0, 0), 0xFFFF0000u);
    EXPECT_TRUE(session.runState().running);
    EXPECT_FALSE(session.runState().idle);
    EXPECT_TRUE(host.statusTexts.empty());
    EXPECT_EQ(session.design().times, "30");
}

TEST_F(DigitalRunTest, autoCentrePlacesTheMeasuredReadoutInTheMiddle) {
    ASSERT_TRUE(session.getTopLeft());
    const int w = session.testwid(), h = session.testhei();
    EXPECT_EQ(session.design().edtLeft, std::to_string(toInt32((200 - w) / 2.0)));
    EXPECT_EQ(session.design().edtTop, std::to_string(toInt32((40 - h) / 2.0)));
    EXPECT_EQ(session.design().nDigitalLeft, toInt32((200 - w) / 2.0));
    EXPECT_TRUE(idleAgain());

    session.design().strFont.clear();
    EXPECT_FALSE(session.getTopLeft());
    EXPECT_EQ(session.design().nDigitalLeft, 0);
    session.unload_background();
    session.design().edtLeft = "7";
    EXPECT_FALSE(session.getTopLeft());
    EXPECT_EQ(session.design().edtLeft, "7");
}

TEST_F(DigitalRunTest, exportWritesDurationTimesFramesPerSecondToTheAviFile) {
    session.design().copyfps = "4";
    const std::string file = folder.file("digital.avi");
    RunOutput output{true, file, 1, nullptr};
    session.digitalAnimation(output, false);
    const dw::testing::Probe probe = dw::testing::probeVideo(file);
    ASSERT_TRUE(probe.ok) << probe.errors;
    EXPECT_EQ(probe.decodedFrames, 12);
    EXPECT_EQ(probe.width, 200);
    EXPECT_EQ(probe.frameRate, "4/1");
    EXPECT_EQ(host.yieldCount, 0);
    EXPECT_TRUE(idleAgain());
}

} // namespace
