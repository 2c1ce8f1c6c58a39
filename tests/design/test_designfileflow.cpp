#include "design/designfileflow.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "design/advancedsettings.h"
#include "design/clockdesign.h"
#include "design/designlog.h"
#include "design/pictureslots.h"
#include "design/runtimeerror.h"
#include "design/toolbarbuttons.h"
#include "dw/platform/fileprofilestore.h"
#include "dw/platform/memoryprofilestore.h"
#include "picturefolder.h"
#include "recordinghost.h"

using namespace dw::design;
using dw::platform::FileProfileStore;
using dw::platform::MemoryProfileStore;
using dw::platform::ProfileStore;
using dw::testing::PictureFolder;
using dw::testing::RecordedMessage;
using dw::testing::RecordingHost;

namespace {

constexpr const char* kStamp = "2024-01-02 03:04:05: ";

class DesignFileFlowTest : public ::testing::Test {
protected:
    DesignFileFlow makeFlow(ProfileStore& fileStore) {
        return DesignFileFlow(DesignFileContext{host, fileStore, design, toolbar, pictures, log,
                                                iniDirectory, lastDir, [this] { ++refreshes; },
                                                [this] { ++renderUnloads; }});
    }

    // A design file in the picture folder, held by the in-memory store.
    std::string designFile(const std::string& keys, const std::string& name = "design.ini") {
        const std::string path = folder.path() + name;
        store.setFile(path, "[clock]\r\n" + keys);
        return path;
    }

    FileFlowResult loadThroughDialog(const std::string& path) {
        host.openAnswers.push_back(path);
        return flow.load_ini();
    }

    // The log's entries without their time stamps; an entry may hold several lines.
    std::vector<std::string> logEntries() const {
        std::vector<std::string> entries;
        const std::string& text = log.text();
        const std::string stamp = kStamp;
        for (std::size_t at = 0; at < text.size();) {
            EXPECT_EQ(text.compare(at, stamp.size(), stamp), 0);
            const std::size_t next = text.find(stamp, at + stamp.size());
            const std::size_t end = next == std::string::npos ? text.size() : next;
            entries.push_back(text.substr(at + stamp.size(), end - at - stamp.size() - 2));
            at = end;
        }
        return entries;
    }

    bool anySlotOccupied() const {
        for (int i = 0; i < kPictureSlotCount; ++i) {
            if (pictures.isBMPobject(static_cast<PictureSlot>(i))) {
                return true;
            }
        }
        return false;
    }

    RecordingHost host;
    MemoryProfileStore store;
    PictureFolder folder;
    ClockDesign design;
    ToolbarButtons toolbar{host};
    std::string iniDirectory;
    std::string lastDir = "/start/";
    PictureSlots pictures{host, design, iniDirectory};
    DesignLog log{[] { return LocalTime{2024, 1, 2, 3, 4, 5}; }};
    int refreshes = 0;
    int renderUnloads = 0;
    DesignFileFlow flow = makeFlow(store);
};

std::string warningFor(const std::string& name, const std::string& directory) {
    return "Warning: Please copy the picture " + name + " to " + directory +
           "\r\nLoad the picture using the load button, then save the .INI again."
           "\r\nReload the .INI to confirm the update.";
}

} // namespace

TEST_F(DesignFileFlowTest, cancelledDialogsChangeNothing) {
    iniDirectory = folder.path();
    folder.writePicture("h.bmp", 4, 4);
    design.hourbitmap = pictures.loadPictureSlot(PictureSlot::Hour, "Hour bitmap", true, "h.bmp");
    design.radius = "99";
    design.jitterOffsets = {9, 9, 9, 9, 9, 9};
    log.addlogline("earlier");
    const std::string logBefore = log.text();

    EXPECT_EQ(flow.load_ini(), FileFlowResult::Cancelled);
    EXPECT_EQ(flow.save_ini(), FileFlowResult::Cancelled);

    EXPECT_EQ(host.dialogFilters,
              (std::vector<std::string>{"INI files (*.ini)|*.ini|All files (*.*)|*.*",
                                        "INI files (*.ini)|*.ini|All files (*.*)|*.*"}));
    EXPECT_EQ(host.dialogDirectories.at(0), "/start/");
    EXPECT_TRUE(pictures.isBMPobject(PictureSlot::Hour));
    EXPECT_EQ(design.hourbitmap, "h.bmp");
    EXPECT_EQ(design.radius, "99");
    EXPECT_EQ(design.jitterOffsets[0], 9);
    EXPECT_EQ(log.text(), logBefore);
    EXPECT_EQ(iniDirectory, folder.path());
    EXPECT_EQ(lastDir, "/start/");
    EXPECT_EQ(renderUnloads, 0);
    EXPECT_EQ(store.saveAttempts(), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DesignFileFlowTest, fileWithoutVersionIsUpgradedFromZero) {
    const std::string path = designFile("hred=12\r\n");
    design.jitterOffsets = {9, 9, 9, 9, 9, 9};
    log.addlogline("from the previous design");

    EXPECT_EQ(loadThroughDialog(path), FileFlowResult::Done);

    EXPECT_EQ(logEntries(), (std::vector<std::string>{"Load .INI " + path,
                                                      "Updating .INI from version 0 to version 0.9",
                                                      "0 errors, 0 warnings"}));
    EXPECT_EQ(design.hred, "12");
    EXPECT_EQ(design.jitterOffsets[0], 0); // the design was reset before reading
    EXPECT_EQ(iniDirectory, folder.path());
    EXPECT_EQ(lastDir, folder.path());
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(renderUnloads, 1);
    EXPECT_TRUE(host.messages.empty());
}

struct UpgradeCase {
    const char* name;
    const char* version;
    const char* image;
    const char* background;
    bool nameWithIniDirectory; // the image is stored with the design directory in front
    std::vector<const char*> warned;
    const char* countLine;
};

void PrintTo(const UpgradeCase& c, std::ostream* out) {
    *out << c.name;
}

class UpgradeWarnings : public DesignFileFlowTest,
                        public ::testing::WithParamInterface<UpgradeCase> {};

TEST_P(UpgradeWarnings, logThePicturesThatAreNotBesideTheFile) {
    const UpgradeCase& c = GetParam();
    folder.writePicture("face.bmp", 6, 6);
    const std::string image = (c.nameWithIniDirectory ? folder.path() : "") + c.image;
    const std::string path = designFile(std::string("version=") + c.version + "\r\nimage=" + image +
                                        "\r\nbackground=" + c.background + "\r\n");
    ASSERT_EQ(flow.loadIniFile(path), FileFlowResult::Done);

    std::vector<std::string> expected{"Load .INI " + path,
                                      std::string("Updating .INI from version ") + c.version +
                                          " to version 0.9"};
    for (const char* name : c.warned) {
        expected.push_back(warningFor(name, folder.path()));
    }
    expected.emplace_back(c.countLine);
    EXPECT_EQ(logEntries(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    DesignFileFlow, UpgradeWarnings,
    ::testing::Values(
        UpgradeCase{"noPictures", "0.5", "", "", false, {}, "0 errors, 0 warnings"},
        UpgradeCase{
            "imageElsewhere", "0.5", "gone.bmp", "", false, {"gone.bmp"}, "0 errors, 1 warning"},
        // The background is checked first.
        UpgradeCase{"bothElsewhere",
                    "0.85",
                    "gone.bmp",
                    "lost.bmp",
                    false,
                    {"lost.bmp", "gone.bmp"},
                    "0 errors, 2 warnings"},
        UpgradeCase{"imageBesideTheFile", "0.5", "face.bmp", "", false, {}, "0 errors, 0 warnings"},
        UpgradeCase{"imageNamedWithTheDesignDirectory",
                    "0.5",
                    "gone.bmp",
                    "",
                    true,
                    {},
                    "0 errors, 0 warnings"},
        // The loader takes two characters, the check needs three.
        UpgradeCase{
            "twoCharacterNameNotChecked", "0.5", "ab", "cd", false, {}, "0 errors, 0 warnings"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesignFileFlowTest, upgradeCleansPictureNamesPaddedWithNulCharacters) {
    folder.writePicture("face.bmp", 6, 6);
    const std::string path = designFile(std::string("version=0.5\r\nimage=face.bmp\0\0\0\r\n", 32));
    EXPECT_EQ(flow.loadIniFile(path), FileFlowResult::Done);
    EXPECT_EQ(design.image, "face.bmp");
    EXPECT_EQ(pictures.window(PictureSlot::Main)->scaleWidth(), 6);
    EXPECT_EQ(logEntries().back(), "0 errors, 0 warnings");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DesignFileFlowTest, twoCharacterPictureNameIsLoadedFromACurrentFile) {
    folder.writePicture("ab", 5, 3);
    EXPECT_EQ(flow.loadIniFile(designFile("version=0.9\r\nimage=ab\r\n")), FileFlowResult::Done);
    ASSERT_TRUE(pictures.isBMPobject(PictureSlot::Main));
    EXPECT_EQ(design.image, "ab");
    EXPECT_EQ(pictures.window(PictureSlot::Main)->scaleWidth(), 5);
    EXPECT_EQ(pictures.Picture2().width(), 5); // shown in the design window
    EXPECT_EQ(logEntries().size(), 1U);
}

TEST_F(DesignFileFlowTest, advancedSettingsComeFromCurrentFilesOnly) {
    ClockDesign defaults;
    vectorDefaults(defaults);
    otherDefaults(defaults);
    const std::string keys = "ac_hhc=7\r\nac_edtHead=[\r\nac_chkFlash=1\r\n";

    flow.loadIniFile(designFile("version=0.9\r\n" + keys));
    EXPECT_EQ(design.ac_hhc, "7");
    EXPECT_EQ(design.ac_edtHead, "[");
    EXPECT_EQ(design.ac_chkFlash, 1);

    flow.loadIniFile(designFile("version=0.8\r\n" + keys));
    EXPECT_EQ(design.ac_hhc, defaults.ac_hhc);
    EXPECT_EQ(design.ac_edtHead, defaults.ac_edtHead);
    EXPECT_EQ(design.ac_chkFlash, defaults.ac_chkFlash);
}

TEST_F(DesignFileFlowTest, runtimeErrorStopsTheLoadKeepsWhatWasReadAndLeavesLastDir) {
    folder.writePicture("face.bmp", 6, 6);
    const std::string path =
        designFile("version=0.9\r\nhred=12\r\nuseir=7\r\nimage=face.bmp\r\nradius=80\r\n");

    EXPECT_EQ(loadThroughDialog(path), FileFlowResult::Failed);

    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{"Invalid property value", MessageIcon::Information}}));
    EXPECT_EQ(design.hred, "12");
    EXPECT_EQ(design.radius, "80");  // read before "useir"
    EXPECT_FALSE(anySlotOccupied()); // pictures come later in the load
    EXPECT_EQ(design.image, "");
    EXPECT_EQ(iniDirectory, folder.path()); // set before the file is read
    EXPECT_EQ(lastDir, "/start/");
    EXPECT_EQ(refreshes, 0);
}

TEST_F(DesignFileFlowTest, centreThatDoesNotFitStopsTheLoadAtTheRefresh) {
    DesignFileFlow failing(DesignFileContext{host,
                                             store,
                                             design,
                                             toolbar,
                                             pictures,
                                             log,
                                             iniDirectory,
                                             lastDir,
                                             [] { throw RuntimeError("Overflow"); },
                                             {}});
    EXPECT_EQ(failing.loadIniFile(designFile("version=0.9\r\n")), FileFlowResult::Failed);
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"Overflow"});
    EXPECT_EQ(lastDir, "/start/");
}

TEST_F(DesignFileFlowTest, eraseBackgroundSmallerThanTheFaceUnloadsEveryPicture) {
    folder.writePicture("face.bmp", 10, 8);
    folder.writePicture("bg.bmp", 9, 8);
    folder.writePicture("hour.bmp", 3, 3);
    const std::string path =
        designFile("version=0.9\r\nimage=face.bmp\r\nbackground=bg.bmp\r\nhourbitmap=hour.bmp\r\n");

    EXPECT_EQ(flow.loadIniFile(path), FileFlowResult::Done);

    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{
                  {"Cannot load an erase background smaller than the foreground in this version",
                   MessageIcon::Critical}}));
    EXPECT_FALSE(anySlotOccupied());
    EXPECT_EQ(design.image, "");
    EXPECT_EQ(design.background, "");
    EXPECT_EQ(design.hourbitmap, "");
    EXPECT_TRUE(pictures.Picture2().isEmpty());
    EXPECT_EQ(lastDir, folder.path());
}

TEST_F(DesignFileFlowTest, loadingOverALoadedDesignReplacesAndFreesItsPictures) {
    folder.writePicture("face.bmp", 10, 8);
    folder.writePicture("other.bmp", 12, 9);
    folder.writePicture("hour.bmp", 3, 3);
    flow.loadIniFile(designFile("version=0.9\r\nimage=face.bmp\r\nhourbitmap=hour.bmp\r\n"));
    const std::weak_ptr<PictureWindowModel> oldMain = pictures.window(PictureSlot::Main);
    const std::weak_ptr<PictureWindowModel> oldHour = pictures.window(PictureSlot::Hour);
    ASSERT_FALSE(oldMain.expired());
    ASSERT_FALSE(oldHour.expired());

    flow.loadIniFile(designFile("version=0.9\r\nimage=other.bmp\r\n", "second.ini"));

    EXPECT_TRUE(oldMain.expired());
    EXPECT_TRUE(oldHour.expired());
    EXPECT_FALSE(pictures.isBMPobject(PictureSlot::Hour));
    EXPECT_EQ(design.hourbitmap, "");
    ASSERT_TRUE(pictures.isBMPobject(PictureSlot::Main));
    EXPECT_EQ(pictures.window(PictureSlot::Main)->scaleWidth(), 12);
    EXPECT_EQ(pictures.Picture2().width(), 12);
    EXPECT_EQ(renderUnloads, 2);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DesignFileFlowTest, saveMovesTheDesignDirectoryButLogsNothingAndKeepsLastDir) {
    design.hred = "17";
    host.saveAnswers.push_back(folder.path() + "saved.ini");
    EXPECT_EQ(flow.save_ini(), FileFlowResult::Done);

    const auto saved = store.file(folder.path() + "saved.ini");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->rfind("[clock]\r\nversion=0.9\r\nhred=17\r\n", 0), 0U);
    EXPECT_EQ(iniDirectory, folder.path());
    EXPECT_EQ(lastDir, "/start/");
    EXPECT_EQ(log.text(), "");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DesignFileFlowTest, refusedSaveShowsTheTwoLineMessageAndLeavesTheFile) {
    const std::string path = designFile("version=0.5\r\nhred=1\r\n");
    const std::string before = *store.file(path);
    store.setReadOnly(path, true);
    design.hred = "200";

    host.saveAnswers.push_back(path);
    EXPECT_EQ(flow.save_ini(), FileFlowResult::Failed);

    EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{
                                 {".INI file write failed.\r\nPlease check to see if the file is "
                                  "read only.",
                                  MessageIcon::Critical}}));
    EXPECT_EQ(*store.file(path), before);
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(lastDir, "/start/");
}

TEST_F(DesignFileFlowTest, readOnlyFileOnDiskIsLeftAsItWas) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "the superuser may write any file";
    }
    FileProfileStore disk;
    DesignFileFlow onDisk = makeFlow(disk);
    const std::string path = folder.write("locked.ini", "[clock]\r\nversion=0.5\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    EXPECT_EQ(onDisk.saveIniFile(path), FileFlowResult::Failed);
    EXPECT_EQ(host.messageTexts(),
              std::vector<std::string>{
                  ".INI file write failed.\r\nPlease check to see if the file is read only."});
    EXPECT_EQ(dw::testing::readBytes(path), "[clock]\r\nversion=0.5\r\n");
}

class SampleDesignLoad : public DesignFileFlowTest,
                         public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleDesignLoad, loadsEveryPictureItNamesWithoutAWord) {
    FileProfileStore disk;
    DesignFileFlow onDisk = makeFlow(disk);
    const std::string path = std::string(DW_SAMPLES_DIR "/") + GetParam() + ".ini";

    EXPECT_EQ(onDisk.loadIniFile(path), FileFlowResult::Done);

    EXPECT_TRUE(host.messages.empty()) << host.messageTexts().front();
    EXPECT_EQ(logEntries(), std::vector<std::string>{"Load .INI " + path});
    EXPECT_FALSE(design.image.empty());
    for (PictureSlot slot : {PictureSlot::Main, PictureSlot::EraseBackground, PictureSlot::Hour,
                             PictureSlot::Minute, PictureSlot::Second, PictureSlot::Top}) {
        const bool named = !pictures.fileName(slot).empty();
        EXPECT_EQ(pictures.isBMPobject(slot), named) << slotCaption(slot);
        if (named) {
            EXPECT_GT(pictures.window(slot)->scaleWidth(), 0) << slotCaption(slot);
        }
    }
    EXPECT_EQ(lastDir, DW_SAMPLES_DIR "/");
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleDesignLoad,
                         ::testing::Values("bitmap-hands", "digital", "erase-mode", "kite-hands",
                                           "line-hands"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
