// An export that fills the disk: one message, the writer closed, no crash, and a file that plays
// up to its last whole frame.
#include "aviwriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "avitestframes.h"
#include "dw/platform/messagebox.h"
#include "mediatools.h"

using namespace dw::testing;
using namespace dw::platform;
using dw::com::E_FAIL;
using dw::com::S_OK;

namespace {

constexpr int kW = 160;
constexpr int kH = 120; // 57600 bytes a frame: about 18 fit in 1 MiB

struct Outcome {
    int framesWritten = 0; // calls before the one that failed
    std::vector<std::string> messages;
    bool laterCallsFail = false;
};

// Writes distinct frames until the writer reports a failure, then a few more calls.
Outcome exportUntilFull(const std::string& path) {
    Outcome out;
    ScopedMessageBoxHook hook([&](const std::string& t, const std::string&, std::uint32_t) {
        out.messages.push_back(t);
        return IDOK;
    });
    reelkit::AviWriter writer;
    EXPECT_EQ(writer.WriteAVIFile(path.c_str(), kW, kH, 24, 25), S_OK);
    const Handle surface = CreateSurface(kW, kH);
    const Handle window = CreateWindowHandle(surface);
    for (int i = 0; i < 200 && out.messages.empty(); ++i) {
        paintPattern(surface, i);
        EXPECT_EQ(writer.WriteFrameEx(window, surface, kW, kH), S_OK);
        if (out.messages.empty()) {
            ++out.framesWritten;
        }
    }
    out.laterCallsFail = writer.WriteFrameEx(window, surface, kW, kH) == E_FAIL &&
                         writer.WriteFrame(surface, surface, kW, kH) == S_OK;
    writer.CloseAVIFile();
    DestroyWindowHandle(window);
    DestroySurface(surface);
    return out;
}

void expectPlaysUpTo(const std::string& path, int frames) {
    ASSERT_GT(frames, 5);
    std::vector<std::uint8_t> pixels;
    std::string errors;
    ASSERT_TRUE(decodeBgr24(path, &pixels, &errors)) << errors;
    EXPECT_EQ(errors, "");
    const std::size_t frame = static_cast<std::size_t>(kW) * kH * 3;
    ASSERT_EQ(pixels.size(), frame * frames);
    for (int i = 0; i < frames; i += frames - 1) { // the first and the last
        const auto expected = patternTopDown(kW, kH, i);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), pixels.begin() + i * frame))
            << "frame " << i;
    }
    EXPECT_EQ(probeVideo(path).headerFrames, frames);
}

void expectReported(const Outcome& o) {
    EXPECT_EQ(o.messages, std::vector<std::string>{"Couldn't write video data.\n"});
    EXPECT_TRUE(o.laterCallsFail) << "the writer is closed after a refused frame";
}

} // namespace

TEST(AviWriterDiskFullTest, fullTmpfsEndsTheExportWithAPlayableFile) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    TempDir dir;
    const std::string mountPoint = dir.file("disk");
    ASSERT_EQ(::mkdir(mountPoint.c_str(), 0700), 0);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    }
    const std::string path = mountPoint + "/full.avi";
    const Outcome o = exportUntilFull(path);
    expectReported(o);
    expectPlaysUpTo(path, o.framesWritten);
    ::umount2(mountPoint.c_str(), MNT_DETACH);
}

TEST(AviWriterDiskFullTest, fileSizeLimitEndsTheExportWithAPlayableFile) {
    TempDir dir;
    const std::string path = dir.file("limited.avi");
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = 1 << 20;
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN); // a refused write, not a signal
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const Outcome o = exportUntilFull(path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    expectReported(o);
    expectPlaysUpTo(path, o.framesWritten);
}

TEST(AviWriterDiskFullTest, indexesThatDoNotFitAreReportedAtClose) {
    constexpr int kFrames = 8;
    TempDir dir;
    const std::string path = dir.file("noindex.avi");
    std::vector<std::string> messages;
    ScopedMessageBoxHook hook([&](const std::string& t, const std::string& caption, std::uint32_t) {
        messages.push_back(caption + ": " + t);
        return IDOK;
    });
    reelkit::AviWriter writer;
    ASSERT_EQ(writer.WriteAVIFile(path.c_str(), kW, kH, 24, 25), S_OK);
    const Handle surface = CreateSurface(kW, kH);
    const Handle window = CreateWindowHandle(surface);
    for (int i = 0; i < kFrames; ++i) {
        paintPattern(surface, i);
        EXPECT_EQ(writer.WriteFrameEx(window, surface, kW, kH), S_OK);
    }
    DestroyWindowHandle(window);
    DestroySurface(surface);
    ASSERT_EQ(messages, std::vector<std::string>{}) << "every frame fits";
    struct stat written {};
    ASSERT_EQ(::stat(path.c_str(), &written), 0);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = static_cast<rlim_t>(written.st_size); // the frames, not their indexes
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const dw::com::HRESULT closed = writer.CloseAVIFile();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(closed, S_OK);
    EXPECT_EQ(messages, std::vector<std::string>{"Fatal Error: Couldn't write video data.\n"});
    EXPECT_EQ(writer.CloseAVIFile(), S_OK);
    EXPECT_EQ(messages.size(), 1u) << "closing again reports nothing";
    expectPlaysUpTo(path, kFrames);
}
