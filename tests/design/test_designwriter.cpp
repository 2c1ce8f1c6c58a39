#include "design/designwriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "design/designreader.h"
#include "design/toolbarbuttons.h"
#include "dw/platform/fileprofilestore.h"
#include "dw/platform/memoryprofilestore.h"
#include "recordinghost.h"
#include "scratchfolder.h"

using namespace dw::design;
using dw::platform::FileProfileStore;
using dw::platform::MemoryProfileStore;
using dw::testing::readBytes;
using dw::testing::RecordingHost;
using dw::testing::ScratchFolder;

namespace {

// The key names of a profile text's lines, in order (section lines as "[name]").
std::vector<std::string> lineNames(const std::string& text) {
    std::vector<std::string> names;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        names.push_back(line.substr(0, line.find('=')));
    }
    return names;
}

class DesignWriterTest : public testing::Test {
protected:
    RecordingHost host;
    ToolbarButtons toolbar{host};
    ClockDesign design;
    MemoryProfileStore store;
    IniFile file{store, "/designs/clock.ini"};
};

} // namespace

TEST_F(DesignWriterTest, loadedDesignSavesBackToTheSameBytes) {
    FileProfileStore disk;
    const std::string original = DW_TEST_DATA_DIR "/design-ini/all-keys.ini";
    readDesign(IniFile(disk, original), design, toolbar);
    ScratchFolder folder;
    IniFile copy(disk, folder.file("copy.ini"));
    ASSERT_TRUE(writeDesign(copy, design, toolbar));
    EXPECT_EQ(readBytes(copy.path()), readBytes(original));
}

class SampleDesign : public DesignWriterTest, public testing::WithParamInterface<const char*> {};

TEST_P(SampleDesign, loadsAndSavesBackToTheSameBytes) {
    FileProfileStore disk;
    const std::string original = std::string(DW_SAMPLES_DIR "/") + GetParam() + ".ini";
    readDesign(IniFile(disk, original), design, toolbar);
    ScratchFolder folder;
    IniFile copy(disk, folder.file("copy.ini"));
    ASSERT_TRUE(writeDesign(copy, design, toolbar));
    EXPECT_EQ(readBytes(copy.path()), readBytes(original));
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleDesign,
                         testing::Values("bitmap-hands", "digital", "erase-mode", "kite-hands",
                                         "line-hands"),
                         [](const auto& info) {
                             std::string name = info.param;
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });

TEST_F(DesignWriterTest, newFileGetsEveryKeyInWriteOrder) {
    ASSERT_TRUE(writeDesign(file, design, toolbar));
    const std::vector<std::string> names = lineNames(*store.file(file.path()));
    ASSERT_EQ(names.size(), 137u);
    EXPECT_EQ(names[0], "[clock]\r");
    for (std::size_t i = 0; i < iniKeys().size(); ++i) {
        EXPECT_EQ(names[i + 1], iniKeys()[i].key);
    }
    EXPECT_EQ(file.readIniValue("version"), "0.9");
}

TEST_F(DesignWriterTest, saveOverAFileUpdatesKeysInPlaceAndKeepsTheRest) {
    store.setFile(file.path(), "[prefs]\r\nhred=keep\r\n[Clock]\r\nmine=1\r\nHRED=7\r\n\r\n"
                               "[other]\r\nchkDigital=keep\r\n");
    design.hred = "12";
    ASSERT_TRUE(writeDesign(file, design, toolbar));
    const std::string text = *store.file(file.path());
    EXPECT_EQ(
        text.rfind("[prefs]\r\nhred=keep\r\n[Clock]\r\nmine=1\r\nHRED=12\r\nversion=0.9\r\n", 0),
        0u);
    const std::string tail = "chkDigital=0\r\n\r\n[other]\r\nchkDigital=keep\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(lineNames(text).size(), 2u + 2u + 136u + 3u);
}

TEST_F(DesignWriterTest, emptyTextsAreWrittenAsOneBlankAndOneLetterImagesAsEmpty) {
    store.setFile(file.path(), "[clock]\r\nversion=0.9\r\nimage=x\r\n");
    readDesign(file, design, toolbar);
    design.ac_edtTail.clear();
    ASSERT_TRUE(writeDesign(file, design, toolbar));
    const std::string text = *store.file(file.path());
    EXPECT_NE(text.find("\r\nimage= \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nac_edtTail= \r\n"), std::string::npos);
}

TEST_F(DesignWriterTest, flagsAreWrittenFromTheToolbar) {
    toolbar.setToolbarButton("IDM_SMOOTHS", 1);
    toolbar.setToolbarButton("IDM_JITTERH", 1); // not part of a design
    ASSERT_TRUE(writeDesign(file, design, toolbar));
    EXPECT_EQ(file.readIniValue("smoothsecond"), "1");
    EXPECT_EQ(file.readIniValue("smoothhour"), "0");
    EXPECT_EQ(file.readIniValue("jitter"), "0");
}

TEST_F(DesignWriterTest, refusedSaveWritesNothingAtAll) {
    const std::string old = "[clock]\r\nversion=0.5\r\nhred=1\r\n";
    store.setFile(file.path(), old);
    store.setReadOnly(file.path(), true);
    EXPECT_FALSE(writeDesign(file, design, toolbar));
    EXPECT_EQ(store.file(file.path()), old);

    store.setReadOnly(file.path(), false);
    store.setDiskFull(true);
    EXPECT_FALSE(writeDesign(file, design, toolbar));
    EXPECT_EQ(store.file(file.path()), old) << "never a new version over old values";

    IniFile fresh(store, "/designs/new.ini");
    EXPECT_FALSE(writeDesign(fresh, design, toolbar));
    EXPECT_FALSE(store.file(fresh.path()).has_value());
}
