// The run commands of the session (test, save_avi, stopTest), the design window's close request
// and the component check, and what happens when commands arrive while a run yields.
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "dw/platform/com/errortext.h"
#include "dw/platform/com/guidtext.h"
#include "dw/platform/com/registrystore.h"
#include "dw/platform/messagebox.h"
#include "runfixture.h"
#include "spinblit/igdiext.h"

using namespace dw::design;
using namespace dw::testing;
using dw::run::DesignerSession;

namespace {

const RecordedMessage kInvalidFps{"Invalid copy frames per second!", MessageIcon::None};
const RecordedMessage kPressStop{"Cannot exit at this time, press stop", MessageIcon::Information};
const RecordedMessage kStopInProgress{
    "Cannot exit at this time, stop in progress. Try again in a second.", MessageIcon::Information};

using RunCommandsTest = RunFixture;

// Runs `command` once, at the given yield of the run.
void atYield(RecordingHost& host, int yield, std::function<void()> command) {
    host.onYield = [&host, yield, command] {
        if (host.yieldCount == yield) {
            command();
        }
    };
}

struct FpsCase {
    const char* name;
    const char* text;
    int frames; // 0: refused
};

class CopyFramesPerSecond : public RunCommandsTest, public ::testing::WithParamInterface<FpsCase> {
};

TEST_P(CopyFramesPerSecond, isTheRoundedLeadingNumberAndAtLeastOne) {
    session.design().copyfps = GetParam().text;
    session.test();
    if (GetParam().frames == 0) {
        EXPECT_EQ(host.messages, std::vector<RecordedMessage>{kInvalidFps});
        EXPECT_TRUE(statuses().empty());
    } else {
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(frameNumbers().size(), static_cast<std::size_t>(GetParam().frames));
    }
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(RunCommands, CopyFramesPerSecond,
                         ::testing::Values(FpsCase{"zero", "0", 0}, FpsCase{"empty", "", 0},
                                           FpsCase{"letters", "abc", 0},
                                           FpsCase{"pointFour", "0.4", 0},
                                           FpsCase{"halfToEvenZero", "0.5", 0},
                                           FpsCase{"halfToEvenTwo", "1.5", 4},
                                           FpsCase{"leadingNumber", " 3fps", 6}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunCommandsTest, copyRateBeyondThirtyTwoBitsShowsTheOverflow) {
    session.design().copyfps = "3e9";
    session.test();
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{"Overflow", MessageIcon::Information}}));
    expectIdle();
}

TEST_F(RunCommandsTest, saveAviAsksForAnAviFileThenChecksTheRate) {
    session.design().copyfps = "0";
    host.saveAnswers.push_back(output.file("late.avi"));
    session.save_avi();
    EXPECT_EQ(host.dialogFilters,
              std::vector<std::string>{"AVI Files (*.avi)|*.avi|All files (*.*)|*.*"});
    EXPECT_EQ(host.messages, std::vector<RecordedMessage>{kInvalidFps});
    EXPECT_FALSE(std::filesystem::exists(output.file("late.avi")));
}

TEST_F(RunCommandsTest, saveAviWritesTheChosenFile) {
    host.saveAnswers.push_back(output.file("chosen.avi"));
    session.save_avi();
    EXPECT_EQ(probeVideo(output.file("chosen.avi")).decodedFrames, 30);
    expectIdle();
}

TEST_F(RunCommandsTest, saveAviCancelledEndsQuietly) {
    session.save_avi();
    EXPECT_EQ(host.dialogFilters.size(), 1u);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(statuses().empty());
}

TEST_F(RunCommandsTest, saveAviWithoutAMainPictureIsRefusedBeforeTheDialog) {
    session.unload_background();
    session.save_avi();
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{
                                 {"Please load a picture first", MessageIcon::Information}}));
    EXPECT_TRUE(host.dialogFilters.empty());
}

TEST_F(RunCommandsTest, saveAviDuringATestIsRefusedAndTheTestGoesOn) {
    atYield(host, 3, [&] { session.save_avi(); });
    session.test();
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{"Clock is running! Press the stop test button first.",
                                             MessageIcon::Information}}));
    EXPECT_TRUE(host.dialogFilters.empty());
    EXPECT_EQ(frameNumbers().size(), 30u);
}

TEST_F(RunCommandsTest, stopTestIsNoticedAfterTheNextStepAndItsCopies) {
    session.design().duration = "3";
    // During the first step's copies: the second step is still drawn and copied.
    atYield(host, 4, [&] { session.stopTest(); });
    const std::string path = output.file("stopped.avi");
    session.saveAviAs(path);
    EXPECT_EQ(frameNumbers().back(), 30);
    EXPECT_EQ(probeVideo(path).decodedFrames, 30);
    expectIdle();
}

TEST_F(RunCommandsTest, stopTestDuringJitterFramesStillDrawsTheStepsRemainingFrames) {
    session.toolbar().setToolbarButton("IDM_JITTERS", 1);
    session.design().duration = "3";
    atYield(host, 2, [&] { session.stopTest(); });
    const std::string path = output.file("jitter.avi");
    session.saveAviAs(path);
    EXPECT_EQ(frameNumbers().back(), 15);
    EXPECT_EQ(probeVideo(path).decodedFrames, 15);
    expectIdle();
}

TEST_F(RunCommandsTest, closeRequestIsRefusedWhileRunningAndWhileStopping) {
    std::vector<bool> answers;
    host.onYield = [&] {
        if (host.yieldCount == 2) {
            answers.push_back(session.requestClose());
            session.stopTest();
        } else if (host.yieldCount == 3) {
            answers.push_back(session.requestClose());
        }
    };
    session.test();
    EXPECT_EQ(answers, (std::vector<bool>{false, false}));
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{kPressStop, kStopInProgress}));
    EXPECT_TRUE(session.requestClose());
}

TEST_F(RunCommandsTest, testDuringATestRunsInsideItAndTheOuterRunThenStops) {
    session.design().duration = "3";
    bool innerLeftOuterStopping = false;
    bool issued = false;
    host.onYield = [&] {
        if (issued || host.yieldCount != 3) {
            return;
        }
        issued = true;
        session.test();
        innerLeftOuterStopping = !session.runState().running && !session.runState().idle &&
                                 session.runState().activeRuns == 1;
    };
    session.test();
    EXPECT_TRUE(innerLeftOuterStopping);
    // Outer frames 1 and 2, the whole inner run, then the rest of the outer run: it notices the
    // stop after its next step, whose copies it still makes.
    std::vector<int> expected{1, 2};
    for (int i = 1; i <= 45; ++i) {
        expected.push_back(i);
    }
    for (int i = 3; i <= 30; ++i) {
        expected.push_back(i);
    }
    EXPECT_EQ(frameNumbers(), expected);
    EXPECT_TRUE(host.messages.empty());
    expectIdle();
}

TEST_F(RunCommandsTest, testDuringAnExportIsRefusedAndTheExportCompletes) {
    atYield(host, 3, [&] { session.test(); });
    const std::string path = output.file("busy.avi");
    session.saveAviAs(path);
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{"Save in progress", MessageIcon::Information}}));
    EXPECT_EQ(probeVideo(path).decodedFrames, 30);
    expectIdle();
}

TEST_F(RunCommandsTest, unloadingTheMainPictureDuringAnExportEndsItWithAPlayableFile) {
    atYield(host, 10, [&] { session.unload_background(); });
    const std::string path = output.file("unloaded.avi");
    session.saveAviAs(path);
    const Probe probe = probeVideo(path);
    EXPECT_TRUE(probe.ok) << probe.errors;
    EXPECT_EQ(probe.headerFrames, 10);
    EXPECT_EQ(probe.decodedFrames, 10);
    EXPECT_TRUE(host.messages.empty());
    expectIdle();
}

TEST_F(RunCommandsTest, loadingADesignDuringAnExportEndsItWithAPlayableFile) {
    const std::string design = folder.file("clock.ini");
    ASSERT_EQ(session.saveIniFile(design), FileFlowResult::Done);
    atYield(host, 7, [&] { session.loadIniFile(design); });
    const std::string path = output.file("loaded.avi");
    session.saveAviAs(path);
    const Probe probe = probeVideo(path);
    EXPECT_TRUE(probe.ok) << probe.errors;
    EXPECT_EQ(probe.decodedFrames, 7);
    expectIdle();
}

TEST_F(RunCommandsTest, replacingTheMainPictureDuringATestEndsIt) {
    // A test yields once after drawing a step and once after each copy: yield 5 follows frame 4.
    atYield(host, 5, [&] {
        session.unload_background();
        host.openAnswers.push_back(writePicture("other.bmp", 100, 80, 0xFF000000));
        session.load_background();
    });
    session.test();
    EXPECT_EQ(frameNumbers().back(), 4);
    // The new picture was not drawn on.
    const auto main = session.pictures().window(PictureSlot::Main);
    ASSERT_TRUE(main);
    EXPECT_EQ(main->Picture1().toImage().pixel(50, 40), 0xFF000000u);
    expectIdle();
}

TEST_F(RunCommandsTest, componentMessagesReachTheHostWhileTheSessionLives) {
    dw::platform::MessageBoxA(0, "from a component", "Fatal Error", dw::platform::MB_OK);
    dw::platform::MessageBoxA(0, "critical", "Fatal Error", dw::platform::MB_ICONERROR);
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{{"from a component", MessageIcon::None},
                                                           {"critical", MessageIcon::Critical}}));
    RecordingHost other;
    {
        DesignerSession inner(other);
        dw::platform::MessageBoxA(0, "inner", "Fatal Error", dw::platform::MB_OK);
    }
    dw::platform::MessageBoxA(0, "outer again", "Fatal Error", dw::platform::MB_OK);
    EXPECT_EQ(other.messageTexts(), std::vector<std::string>{"inner"});
    EXPECT_EQ(host.messageTexts().back(), "outer again");
}

// Installs a registry for the test and gives the process its file registry back afterwards.
class ScopedRegistry {
public:
    explicit ScopedRegistry(dw::com::RegistryTree tree) {
        auto store = std::make_shared<dw::com::MemoryRegistryStore>();
        store->setTree(std::move(tree));
        dw::com::setRegistryStore(store);
    }
    ~ScopedRegistry() { dw::com::setRegistryStore(nullptr); }
};

TEST_F(RunCommandsTest, registrationCheckPassesWithBothComponents) {
    EXPECT_TRUE(session.registrationCheck());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RunCommandsTest, registrationCheckNamesTheFirstComponentMissing) {
    const std::string notRegistered = dw::com::describeHResult(dw::com::REGDB_E_CLASSNOTREG);
    {
        ScopedRegistry empty{dw::com::RegistryTree{}};
        EXPECT_FALSE(session.registrationCheck());
    }
    dw::com::RegistryTree withoutSpinblit;
    ASSERT_EQ(dw::com::FileRegistryStore().read(&withoutSpinblit), dw::com::S_OK);
    ASSERT_TRUE(withoutSpinblit.deleteTree("CLSID\\" +
                                           dw::com::guidToString(spinblit::CLSID_gdiext)));
    {
        ScopedRegistry partial{withoutSpinblit};
        EXPECT_FALSE(session.registrationCheck());
    }
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{
                  {notRegistered + "\r\nreelkit.dll not registered", MessageIcon::Critical},
                  {notRegistered + "\r\nspinblit.dll not registered", MessageIcon::Critical}}));
}

} // namespace
