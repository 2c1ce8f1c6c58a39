#include "dw/platform/fileprofilestore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <set>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "dw/platform/memoryprofilestore.h"
#include "scratchfolder.h"

using namespace dw::platform;
using dw::testing::readBytes;
using dw::testing::ScratchFolder;
using dw::testing::writeBytes;
namespace fs = std::filesystem;

namespace {

// Runs `check` in a child process (after `prepare`) and tells whether it returned true, so that
// limits and identities set for the check never reach the test process.
bool inChild(const std::function<bool()>& check, const std::function<bool()>& prepare) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(prepare() && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Permissions only bind a user without special rights; root gives them up in a child first.
bool asOrdinaryUser(const std::function<bool()>& check) {
    if (::geteuid() != 0) {
        return check();
    }
    return inChild(check, [] {
        const gid_t nobody = 65534;
        return ::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0;
    });
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class FileProfileStoreTest : public testing::Test {
protected:
    ScratchFolder folder;
    FileProfileStore store;
    std::string design = folder.file("design.ini");

    // Lets the ordinary user of asOrdinaryUser into the scratch folder.
    void openFolderToAll() { fs::permissions(folder.path(), fs::perms::all); }

    // Gives a file to the ordinary user of asOrdinaryUser.
    void giveToOrdinaryUser(const std::string& path) {
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        }
    }
};

} // namespace

TEST_F(FileProfileStoreTest, missingFileIsCreatedWithCrLfLinesAndReadsBack) {
    EXPECT_EQ(store.getProfileString(design, "clock", "version", "0"), "0");
    ASSERT_TRUE(store.writeProfileString(design, "clock", "version", "0.9"));
    ASSERT_TRUE(store.writeProfileString(design, "clock", "ac_edtHead", ""));
    EXPECT_EQ(readBytes(design), "[clock]\r\nversion=0.9\r\nac_edtHead= \r\n");
    EXPECT_EQ(store.getProfileString(design, "CLOCK", "VERSION", "0"), "0.9");
    EXPECT_EQ(store.getProfileString(design, "clock", "ac_edtHead", "0"), "");
    EXPECT_EQ(store.getProfileString(design, "clock", "hred", "0"), "0");
}

TEST_F(FileProfileStoreTest, saveUpdatesKeysInPlaceAndKeepsEverythingElse) {
    writeBytes(design, "; notes\n[prefs]\nhred=keep\n\n[Clock]\nHRED = 1\nother=x\n\n[tail]\n");
    ASSERT_TRUE(store.writeProfileStrings(design, "clock", {{"hred", "200"}, {"hw", "4"}}));
    EXPECT_EQ(readBytes(design),
              "; notes\n[prefs]\nhred=keep\n\n[Clock]\nHRED=200\nother=x\nhw=4\r\n\n[tail]\n");
    EXPECT_EQ(store.getProfileString(design, "prefs", "hred", "0"), "keep");
}

TEST_F(FileProfileStoreTest, readValuesAreCutTo254Characters) {
    const std::string longValue(300, 'v');
    ASSERT_TRUE(store.writeProfileString(design, "clock", "ac_edtTail", longValue));
    EXPECT_EQ(store.getProfileString(design, "clock", "ac_edtTail", "0"), longValue.substr(0, 254));
}

TEST_F(FileProfileStoreTest, hugeAndBinaryFilesAreReadWithoutTrouble) {
    std::string bytes(8 << 20, '\0');
    bytes += "\n[clock]\nhw=\x01\x02 \n";
    writeBytes(design, bytes);
    EXPECT_EQ(store.getProfileString(design, "clock", "hw", "0"), "\x01\x02");
    writeBytes(design, "");
    EXPECT_EQ(store.getProfileString(design, "clock", "hw", "0"), "0");
}

TEST_F(FileProfileStoreTest, namesThatAreNotRegularFilesReadAsMissingAndRefuseSaves) {
    const std::string pipe = folder.file("pipe.ini");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {folder.path().string(), pipe, std::string(), design}) {
        EXPECT_EQ(store.getProfileString(path, "clock", "hw", "0"), "0") << path;
    }
    EXPECT_FALSE(store.writeProfileString(folder.path().string(), "clock", "hw", "1"));
    EXPECT_FALSE(store.writeProfileString(pipe, "clock", "hw", "1"));
    EXPECT_FALSE(store.writeProfileString("", "clock", "hw", "1"));
    EXPECT_FALSE(store.writeProfileString(folder.file("no/such/folder.ini"), "clock", "hw", "1"));
}

TEST_F(FileProfileStoreTest, saveKeepsModeAndLinksAndLeavesNoTemporaryFile) {
    writeBytes(design, "[clock]\r\nhw=1\r\n");
    fs::permissions(design, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::string link = folder.file("link.ini");
    fs::create_symlink("design.ini", link);
    ASSERT_TRUE(store.writeProfileString(link, "clock", "hw", "2"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(design), "[clock]\r\nhw=2\r\n");
    EXPECT_EQ(fs::status(design).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"design.ini", "link.ini"}));
}

TEST_F(FileProfileStoreTest, fullDiskMidSaveLeavesTheOldFileWhole) {
    const std::string old = "[clock]\r\nhw=1\r\n";
    writeBytes(design, old);
    const bool saved = inChild(
        [&] {
            return store.writeProfileString(design, "clock", "ac_edtTail", std::string(4096, 'x'));
        },
        [] {
            // Writes past the limit fail as they would on a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64, 64};
            return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        });
    EXPECT_FALSE(saved);
    EXPECT_EQ(readBytes(design), old);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"design.ini"}));
}

TEST_F(FileProfileStoreTest, readOnlyFileRefusesTheSaveAndStaysUnchanged) {
    openFolderToAll();
    const std::string old = "[clock]\r\nversion=0.9\r\n";
    writeBytes(design, old);
    giveToOrdinaryUser(design);
    fs::permissions(design, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(asOrdinaryUser(
        [&] { return store.writeProfileString(design, "clock", "version", "0.9"); }));
    EXPECT_EQ(readBytes(design), old);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"design.ini"}));
}

TEST_F(FileProfileStoreTest, folderThatRefusesNewFilesGetsTheFileRewrittenInPlace) {
    writeBytes(design, "[clock]\r\nhw=1\r\nhred=2\r\n");
    fs::permissions(design, fs::perms::all);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    EXPECT_TRUE(
        asOrdinaryUser([&] { return store.writeProfileString(design, "clock", "hw", "7"); }));
    EXPECT_EQ(readBytes(design), "[clock]\r\nhw=7\r\nhred=2\r\n");
    EXPECT_TRUE(asOrdinaryUser([&] { return store.writeProfileString(design, "clock", "hw", ""); }))
        << "a shorter text is cut to its new length";
    EXPECT_EQ(readBytes(design), "[clock]\r\nhw= \r\nhred=2\r\n");
    const std::string fresh = folder.file("fresh.ini");
    EXPECT_FALSE(
        asOrdinaryUser([&] { return store.writeProfileString(fresh, "clock", "hw", "1"); }));
    EXPECT_FALSE(fs::exists(fresh));
}

TEST_F(FileProfileStoreTest, fileCutShortByAnotherProcessDuringReadsNeverCrashes) {
    std::string text = "[clock]\r\n";
    while (text.size() < (1 << 20)) {
        text += "; a long comment line that pads the file out to a megabyte or so\r\n";
    }
    text += "hw=1\r\n";
    writeBytes(design, text);
    const pid_t cutter = ::fork();
    if (cutter == 0) {
        // Cut the file to nothing and write it again, over and over, for a bounded time.
        const int fd = ::open(design.c_str(), O_WRONLY | O_CLOEXEC);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (fd >= 0 && std::chrono::steady_clock::now() < until) {
            if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, text.data(), text.size(), 0) < 0) {
                break;
            }
        }
        ::_exit(0);
    }
    ASSERT_GT(cutter, 0);
    std::set<std::string> seen;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() < until) {
        seen.insert(store.getProfileString(design, "clock", "hw", "0"));
    }
    ::kill(cutter, SIGKILL);
    ::waitpid(cutter, nullptr, 0);
    for (const std::string& value : seen) {
        EXPECT_TRUE(value == "0" || value == "1" || value.empty()) << value;
    }
    writeBytes(design, text); // the cutter may have stopped halfway
    EXPECT_EQ(store.getProfileString(design, "clock", "hw", "0"), "1");
}

TEST_F(FileProfileStoreTest, fileMountedOverItsNameIsRewrittenInPlace) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "bind mounts need root";
    }
    const std::string source = folder.file("source.ini");
    writeBytes(source, "[clock]\r\nhw=1\r\n");
    writeBytes(design, "");
    if (::mount(source.c_str(), design.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "no bind mounts here";
    }
    // Renaming over a mount point fails with EBUSY.
    const bool saved = store.writeProfileString(design, "clock", "hw", "5");
    ::umount2(design.c_str(), MNT_DETACH);
    EXPECT_TRUE(saved);
    EXPECT_EQ(readBytes(source), "[clock]\r\nhw=5\r\n");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"design.ini", "source.ini"}));
}

struct QuotedReadCase {
    const char* name;
    std::string lines; // after "[clock]"
    const char* key;
    std::string value;
};

class FileProfileStoreQuotedRead : public FileProfileStoreTest,
                                   public testing::WithParamInterface<QuotedReadCase> {};

TEST_P(FileProfileStoreQuotedRead, dropsOneMatchingPairOfQuotesAndLeavesTheFileAlone) {
    const std::string text = "[clock]\r\n" + GetParam().lines;
    writeBytes(design, text);
    EXPECT_EQ(store.getProfileString(design, "clock", GetParam().key, "0"), GetParam().value);
    EXPECT_EQ(readBytes(design), text);
    MemoryProfileStore memory;
    memory.setFile(design, text);
    EXPECT_EQ(memory.getProfileString(design, "clock", GetParam().key, "0"), GetParam().value)
        << "the in-memory store reads alike";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FileProfileStoreQuotedRead,
    testing::Values(
        QuotedReadCase{"doubleQuotes", "image=\"face.bmp\"\r\n", "image", "face.bmp"},
        QuotedReadCase{"singleQuotes", "sq='single'\r\n", "sq", "single"},
        QuotedReadCase{"innerBlanksStay", "pad=\"  padded  \"\r\n", "pad", "  padded  "},
        QuotedReadCase{"outerBlanksGoFirst", "out=  \"x\" \t \r\n", "out", "x"},
        QuotedReadCase{"emptyDoubleQuotes", "empty=\"\"\r\n", "empty", ""},
        QuotedReadCase{"emptySingleQuotes", "sqempty=''\r\n", "sqempty", ""},
        QuotedReadCase{"quotedBlanksOnly", "blank=\"   \"\r\n", "blank", "   "},
        QuotedReadCase{"onlyTheOuterPairGoes", "inner=\"a\" b \"c\"\r\n", "inner", "a\" b \"c"},
        QuotedReadCase{"otherQuoteInsideStays", "sq='say \"hi\"'\r\n", "sq", "say \"hi\""},
        QuotedReadCase{"openingQuoteAloneStays", "open=\"unbalanced\r\n", "open", "\"unbalanced"},
        QuotedReadCase{"closingQuoteAloneStays", "close=unbalanced\"\r\n", "close", "unbalanced\""},
        QuotedReadCase{"mixedQuotesStay", "mixed=\"x'\r\n", "mixed", "\"x'"},
        QuotedReadCase{"oneQuoteEndsAtItsLine", "one=\"\r\nnext=\"x\"\r\n", "one", "\""},
        QuotedReadCase{"oneQuoteAtTheEndOfTheFile", "one= '", "one", "'"},
        QuotedReadCase{"limitAppliesToTheValueRead", "long=\"" + std::string(300, 'v') + "\"\r\n",
                       "long", std::string(254, 'v')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileProfileStoreTest, writtenQuotesAreStoredAsGivenAndReadBackWithout) {
    ASSERT_TRUE(store.writeProfileString(design, "clock", "image", "\"face.bmp\""));
    EXPECT_EQ(readBytes(design), "[clock]\r\nimage=\"face.bmp\"\r\n");
    EXPECT_EQ(store.getProfileString(design, "clock", "image", "0"), "face.bmp");
}

struct SpellingCase {
    const char* name;
    std::string before;
    const char* section;
    std::vector<ProfileEntry> entries;
    std::string after;
};

class FileProfileStoreSpelling : public FileProfileStoreTest,
                                 public testing::WithParamInterface<SpellingCase> {};

TEST_P(FileProfileStoreSpelling, replacingKeepsTheFileSpellingOfKeysAndSections) {
    writeBytes(design, GetParam().before);
    ASSERT_TRUE(store.writeProfileStrings(design, GetParam().section, GetParam().entries));
    EXPECT_EQ(readBytes(design), GetParam().after);
    MemoryProfileStore memory;
    memory.setFile(design, GetParam().before);
    ASSERT_TRUE(memory.writeProfileStrings(design, GetParam().section, GetParam().entries));
    EXPECT_EQ(memory.file(design), GetParam().after) << "the in-memory store writes alike";
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileProfileStoreSpelling,
    testing::Values(SpellingCase{"keyAndSectionOfTheFile",
                                 "[Other]\r\nHRED=1\r\n[Clock]\r\nHRed=12\r\n",
                                 "clock",
                                 {{"hred", "13"}},
                                 "[Other]\r\nHRED=1\r\n[Clock]\r\nHRed=13\r\n"},
                    SpellingCase{"newKeyAsTheCallerSpellsIt",
                                 "[Clock]\r\nHRed=12\r\n",
                                 "CLOCK",
                                 {{"HGreen", "5"}},
                                 "[Clock]\r\nHRed=12\r\nHGreen=5\r\n"},
                    SpellingCase{"newSectionAsTheCallerSpellsIt",
                                 "[other]\r\nx=1\r\n",
                                 "Clock",
                                 {{"hw", "1"}},
                                 "[other]\r\nx=1\r\n[Clock]\r\nhw=1\r\n"},
                    SpellingCase{"firstOfTwoSpellingsIsReplaced",
                                 "[clock]\nHW=1\nhw=2\n",
                                 "clock",
                                 {{"Hw", "3"}},
                                 "[clock]\nHW=3\nhw=2\n"},
                    SpellingCase{"newKeyWrittenTwiceKeepsItsFirstSpelling",
                                 "[clock]\r\n",
                                 "clock",
                                 {{"HBlue", "1"}, {"hblue", "2"}},
                                 "[clock]\r\nHBlue=2\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });
