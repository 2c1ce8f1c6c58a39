#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "dw/platform/memoryprofilestore.h"
#include "picturefolder.h"
#include "recordinghost.h"
#include "run/designersession.h"
#include "scratchfolder.h"

using namespace dw::design;
using dw::platform::MemoryProfileStore;
using dw::run::DesignerSession;
using dw::testing::PictureFolder;
using dw::testing::RecordedMessage;
using dw::testing::RecordingHost;

namespace {

class SessionFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.useProfileStore(store);
        session.usePreferences(prefsStore, "/cfg/dialwright/prefs.ini");
    }

    std::string designFile(const std::string& keys) {
        const std::string path = folder.path() + "design.ini";
        store.setFile(path, "[clock]\r\n" + keys);
        return path;
    }

    RecordingHost host;
    MemoryProfileStore store;
    MemoryProfileStore prefsStore;
    PictureFolder folder;
    DesignerSession session{host};
};

} // namespace

TEST_F(SessionFileTest, picturesNeedADesignDirectoryWhichASaveGives) {
    host.openAnswers.push_back(folder.writePicture("hour.bmp", 4, 4));
    session.LD_HBMP();
    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{{"Must save .INI to a directory first",
                                                            MessageIcon::Information}}));
    EXPECT_FALSE(session.isBMPobject(PictureSlot::Hour));

    host.saveAnswers.push_back(folder.path() + "new.ini");
    ASSERT_EQ(session.save_ini(), FileFlowResult::Done);
    EXPECT_EQ(session.iniDirectory(), folder.path());
    session.LD_HBMP();
    EXPECT_TRUE(session.isBMPobject(PictureSlot::Hour));
    EXPECT_EQ(session.design().hourbitmap, "hour.bmp");
    EXPECT_EQ(host.messages.size(), 1U);
}

TEST_F(SessionFileTest, loadConfirmsTheCentreLetsTheRenderWindowGoAndMovesLastDir) {
    int renderUnloads = 0;
    session.setRenderWindowUnloader([&] { ++renderUnloads; });
    session.setLastDir("/start/");
    host.openAnswers.push_back(designFile("version=0.9\r\ncentrex=200\r\ncentrey=100\r\n"));

    EXPECT_EQ(session.load_ini(), FileFlowResult::Done);

    EXPECT_EQ(host.dialogDirectories.at(0), "/start/");
    EXPECT_EQ(session.design().Label1, "(200, 100)");
    EXPECT_EQ(session.geometry().tables().innerCircle.at(0).x(), 200);
    EXPECT_EQ(renderUnloads, 1);
    EXPECT_EQ(session.lastDir(), folder.path());
    EXPECT_NE(session.log().text().find(": Load .INI " + folder.path() + "design.ini\r\n"),
              std::string::npos);
}

TEST_F(SessionFileTest, preferencesKeepLastDirBetweenRuns) {
    session.loadPreferences();
    EXPECT_EQ(session.lastDir(), std::filesystem::current_path().string());

    session.loadIniFile(designFile("version=0.9\r\n"));
    ASSERT_TRUE(session.savePreferences());
    EXPECT_EQ(prefsStore.file("/cfg/dialwright/prefs.ini"),
              "[prefs]\r\nlastDir=" + folder.path() + "\r\n");

    DesignerSession nextRun{host};
    nextRun.usePreferences(prefsStore, "/cfg/dialwright/prefs.ini");
    nextRun.loadPreferences();
    EXPECT_EQ(nextRun.lastDir(), folder.path());
}

TEST_F(SessionFileTest, preferencesGoToTheUsersConfigurationFolderByDefault) {
    dw::testing::ScratchFolder config;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);

    DesignerSession plain{host};
    plain.setLastDir("/designs/");
    const bool written = plain.savePreferences();
    DesignerSession later{host};
    later.loadPreferences();

    if (saved) {
        ::setenv("XDG_CONFIG_HOME", saved->c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
    EXPECT_TRUE(written);
    EXPECT_EQ(dw::testing::readBytes(config.file("dialwright/prefs.ini")),
              "[prefs]\r\nlastDir=/designs/\r\n");
    EXPECT_EQ(later.lastDir(), "/designs/");
}

TEST_F(SessionFileTest, aboutNamesTheProgramAndItsVersion) {
    session.about();
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Information);
    const std::string& text = host.messages[0].text;
    EXPECT_EQ(text.rfind("Dialwright v0.9\r\n", 0), 0U);
    EXPECT_EQ(text.find("\r\n", 17), std::string::npos); // two lines
    EXPECT_GT(text.size(), 17U);
}
