#include "design/preferences.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "dw/platform/memoryprofilestore.h"

using namespace dw::design;
using dw::platform::MemoryProfileStore;

namespace {

// Sets or unsets an environment variable for one test and puts it back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : mName(name) {
        if (const char* old = std::getenv(name)) {
            mOld = old;
        }
        set(value);
    }
    ~ScopedEnvironment() { set(mOld ? mOld->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void set(const char* value) {
        if (value == nullptr) {
            ::unsetenv(mName);
        } else {
            ::setenv(mName, value, 1);
        }
    }
    const char* mName;
    std::optional<std::string> mOld;
};

struct PathCase {
    const char* name;
    const char* xdgConfigHome; // null: unset
    const char* home;
    const char* expected;
};

void PrintTo(const PathCase& c, std::ostream* out) {
    *out << c.name;
}

class DefaultPreferencesFile : public ::testing::TestWithParam<PathCase> {};

} // namespace

TEST_P(DefaultPreferencesFile, followsTheUsersConfigurationFolder) {
    const PathCase& c = GetParam();
    const ScopedEnvironment xdg("XDG_CONFIG_HOME", c.xdgConfigHome);
    const ScopedEnvironment home("HOME", c.home);
    EXPECT_EQ(defaultPreferencesFile(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Preferences, DefaultPreferencesFile,
                         ::testing::Values(PathCase{"configHomeSet", "/cfg", "/home/u",
                                                    "/cfg/dialwright/prefs.ini"},
                                           PathCase{"configHomeUnset", nullptr, "/home/u",
                                                    "/home/u/.config/dialwright/prefs.ini"},
                                           PathCase{"configHomeRelative", "cfg", "/home/u",
                                                    "/home/u/.config/dialwright/prefs.ini"},
                                           PathCase{"noFolderKnown", nullptr, nullptr, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PreferencesTest, lastDirFallsBackToTheCurrentDirectory) {
    MemoryProfileStore store;
    const std::string current = std::filesystem::current_path().string();
    EXPECT_EQ(Preferences(store, "/cfg/prefs.ini").loadLastDir(), current);
    EXPECT_EQ(Preferences(store, "").loadLastDir(), current);
    store.setFile("/cfg/prefs.ini", "[prefs]\r\nlastDir=\r\n");
    EXPECT_EQ(Preferences(store, "/cfg/prefs.ini").loadLastDir(), current);
    // Another application's section is not ours.
    store.setFile("/cfg/prefs.ini", "[other]\r\nlastDir=/elsewhere/\r\n");
    EXPECT_EQ(Preferences(store, "/cfg/prefs.ini").loadLastDir(), current);
}

TEST(PreferencesTest, savedLastDirComesBack) {
    MemoryProfileStore store;
    Preferences prefs(store, "/cfg/prefs.ini");
    ASSERT_TRUE(prefs.saveLastDir("/designs/clocks/"));
    EXPECT_EQ(store.file("/cfg/prefs.ini"), "[prefs]\r\nlastDir=/designs/clocks/\r\n");
    EXPECT_EQ(Preferences(store, "/cfg/prefs.ini").loadLastDir(), "/designs/clocks/");

    store.setReadOnly("/cfg/prefs.ini", true);
    EXPECT_FALSE(prefs.saveLastDir("/other/"));
    EXPECT_FALSE(Preferences(store, "").saveLastDir("/other/"));
}
