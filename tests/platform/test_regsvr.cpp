// dw-regsvr run as the set-up scripts and the build run it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status = -1;
    std::string output; // stdout and stderr
};

class RegsvrTest : public ::testing::Test {
protected:
    // The registry sits in a folder of its own, so its lock file goes with it.
    void SetUp() override {
        mFolder = fs::path(::testing::TempDir()) / ("dw-regsvr-" + std::to_string(::getpid()));
        fs::remove_all(mFolder);
        fs::create_directories(mFolder);
        mRegistry = mFolder / "registry";
    }
    void TearDown() override { fs::remove_all(mFolder); }

    ToolRun regsvr(const std::string& args) {
        const std::string command = "DIALWRIGHT_REGISTRY='" + mRegistry.string() + "' '" +
                                    DW_BIN_DIR "/dw-regsvr' " + args + " 2>&1";
        ToolRun run;
        FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[512];
        while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            run.output += buffer;
        }
        const int status = pipe != nullptr ? ::pclose(pipe) : -1;
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    std::string registryText() const {
        std::ifstream in(mRegistry);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path mFolder;
    fs::path mRegistry;
};

const std::string kSpinblit = DW_BIN_DIR "/libspinblit.so";

} // namespace

TEST_F(RegsvrTest, registersAndUnregistersALibrary) {
    const ToolRun reg = regsvr(kSpinblit);
    EXPECT_EQ(reg.status, 0) << reg.output;
    EXPECT_NE(reg.output.find("registered in " + mRegistry.string()), std::string::npos);
    EXPECT_NE(registryText().find("InprocServer32"), std::string::npos);
    const ToolRun unreg = regsvr("-u -q " + kSpinblit);
    EXPECT_EQ(unreg.status, 0) << unreg.output;
    EXPECT_EQ(unreg.output, "") << "quiet";
    EXPECT_EQ(registryText().find("InprocServer32"), std::string::npos);
}

TEST_F(RegsvrTest, failuresAreNamedAndGiveStatusOne) {
    const ToolRun missing = regsvr("/nonexistent/libx.so " + kSpinblit);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("/nonexistent/libx.so: cannot load"), std::string::npos);
    EXPECT_NE(registryText().find("InprocServer32"), std::string::npos)
        << "the other library is still registered";
    const ToolRun notComponent = regsvr(DW_BIN_DIR "/libdw_test_noexports.so");
    EXPECT_EQ(notComponent.status, 1);
    EXPECT_NE(notComponent.output.find("not a component library"), std::string::npos);
    EXPECT_EQ(regsvr("-u " + kSpinblit).status, 0);
    const ToolRun twice = regsvr("-u " + kSpinblit);
    EXPECT_EQ(twice.status, 1) << "the type library was already gone";
    EXPECT_NE(twice.output.find("Library not registered."), std::string::npos) << twice.output;
}

TEST_F(RegsvrTest, withoutLibrariesOrWithUnknownOptionsPrintsUsage) {
    for (const char* args : {"", "-u", "-x libspinblit.so"}) {
        const ToolRun run = regsvr(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.output.find("usage: dw-regsvr [-u]"), std::string::npos);
    }
}
