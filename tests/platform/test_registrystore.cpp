#include "dw/platform/com/registrystore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

using namespace dw::com;
namespace fs = std::filesystem;

namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        mDir = fs::temp_directory_path() /
               ("dw-registry-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mDir);
        fs::create_directories(mDir);
    }
    void TearDown() override { fs::remove_all(mDir); }

    static void write(const fs::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static HRESULT addKey(RegistryStore& store, const std::string& key) {
        return store.update([&](RegistryTree& t) { return t.createKey(key) ? S_OK : E_FAIL; });
    }

    fs::path mDir;
};

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : mName(name) {
        if (const char* old = std::getenv(name)) {
            mOld = old;
        }
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { mOld ? ::setenv(mName, mOld->c_str(), 1) : ::unsetenv(mName); }

private:
    const char* mName;
    std::optional<std::string> mOld;
};

} // namespace

TEST_F(RegistryStoreTest, missingFileReadsEmptyAndFirstUpdateCreatesFoldersAndFile) {
    FileRegistryStore store((mDir / "a" / "b" / "registry").string());
    RegistryTree tree;
    tree.createKey("stale");
    EXPECT_EQ(store.read(&tree), S_OK);
    EXPECT_TRUE(tree.empty());
    ASSERT_EQ(addKey(store, "CLSID\\{X}"), S_OK);
    ASSERT_EQ(store.read(&tree), S_OK);
    EXPECT_TRUE(tree.keyExists("CLSID\\{X}"));
}

TEST_F(RegistryStoreTest, damagedFileFailsReadsAndIsMovedAsideByTheNextUpdate) {
    const fs::path file = mDir / "registry";
    write(file, "[A]\nthis is not a value line\n");
    FileRegistryStore store(file.string());
    RegistryTree tree;
    EXPECT_EQ(store.read(&tree), REGDB_E_READREGDB);
    EXPECT_TRUE(tree.empty());
    ASSERT_EQ(addKey(store, "B"), S_OK);
    EXPECT_EQ(read(mDir / "registry.damaged"), "[A]\nthis is not a value line\n");
    ASSERT_EQ(store.read(&tree), S_OK);
    EXPECT_TRUE(tree.keyExists("B"));
    EXPECT_FALSE(tree.keyExists("A"));
}

TEST_F(RegistryStoreTest, failedChangeStoresNothing) {
    const fs::path file = mDir / "registry";
    FileRegistryStore store(file.string());
    ASSERT_EQ(addKey(store, "Kept"), S_OK);
    const std::string before = read(file);
    EXPECT_EQ(store.update([](RegistryTree& t) {
        t.deleteTree("Kept");
        return E_ACCESSDENIED;
    }),
              E_ACCESSDENIED);
    EXPECT_EQ(read(file), before);
    EXPECT_EQ(store.update(nullptr), E_POINTER);
}

TEST_F(RegistryStoreTest, unusablePlacesFailWithRegistryErrors) {
    write(mDir / "plainfile", "x");
    FileRegistryStore underFile((mDir / "plainfile" / "registry").string());
    EXPECT_EQ(addKey(underFile, "A"), REGDB_E_WRITEREGDB);
    // A folder inside the test's own, so that the lock file beside it goes with the test.
    fs::create_directory(mDir / "folder");
    FileRegistryStore directory((mDir / "folder").string());
    RegistryTree tree;
    EXPECT_EQ(directory.read(&tree), REGDB_E_READREGDB);
    EXPECT_EQ(addKey(directory, "A"), REGDB_E_READREGDB);
    EXPECT_EQ(directory.read(nullptr), E_POINTER);
}

TEST_F(RegistryStoreTest, concurrentUpdatesLoseNothing) {
    FileRegistryStore store((mDir / "registry").string());
    auto work = [&](const std::string& prefix) {
        for (int k = 0; k < 40; ++k) {
            addKey(store, prefix + std::to_string(k));
        }
    };
    std::thread a(work, "A");
    std::thread b(work, "B");
    a.join();
    b.join();
    RegistryTree tree;
    ASSERT_EQ(store.read(&tree), S_OK);
    for (int k = 0; k < 40; ++k) {
        EXPECT_TRUE(tree.keyExists("A" + std::to_string(k)));
        EXPECT_TRUE(tree.keyExists("B" + std::to_string(k)));
    }
}

TEST_F(RegistryStoreTest, defaultPathPrefersTheVariableThenXdgThenHome) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv reg("DIALWRIGHT_REGISTRY", "/tmp/explicit");
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(defaultRegistryPath(), "/tmp/explicit");
    }
    ScopedEnv reg("DIALWRIGHT_REGISTRY", "");
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(defaultRegistryPath(), "/xdg/dialwright/registry");
    }
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(defaultRegistryPath(), "/home/someone/.config/dialwright/registry");
}

TEST_F(RegistryStoreTest, memoryStoreFailsOnRequestAndTheProcessStoreCanBeReplaced) {
    auto memory = std::make_shared<MemoryRegistryStore>();
    ASSERT_EQ(addKey(*memory, "A"), S_OK);
    memory->failUpdates(REGDB_E_WRITEREGDB);
    EXPECT_EQ(addKey(*memory, "B"), REGDB_E_WRITEREGDB);
    memory->failReads(REGDB_E_READREGDB);
    RegistryTree tree;
    EXPECT_EQ(memory->read(&tree), REGDB_E_READREGDB);
    memory->failReads(S_OK);
    ASSERT_EQ(memory->read(&tree), S_OK);
    EXPECT_TRUE(tree.keyExists("A"));
    EXPECT_FALSE(tree.keyExists("B"));

    EXPECT_EQ(setRegistryStore(memory), nullptr);
    EXPECT_EQ(registryStore(), memory);
    EXPECT_EQ(setRegistryStore(nullptr), memory);
    EXPECT_NE(std::dynamic_pointer_cast<FileRegistryStore>(registryStore()), nullptr);
}
