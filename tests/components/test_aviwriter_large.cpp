// A file past 1 GiB plays to its last frame. It writes 1.2 GB, so it runs only when
// DW_TEST_LARGE_AVI=1 asks for it.
#include "aviwriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "avitestframes.h"
#include "dw/platform/messagebox.h"
#include "mediatools.h"

using namespace dw::testing;
using namespace dw::platform;
using dw::com::S_OK;

namespace {

// The list types of the file's top-level RIFF parts, read from their headers alone.
std::vector<std::string> riffParts(const std::string& path, std::uint64_t* covered) {
    std::vector<std::string> parts;
    std::ifstream in(path, std::ios::binary);
    std::uint64_t at = 0;
    char head[12];
    while (in.seekg(static_cast<std::streamoff>(at)) && in.read(head, 12)) {
        if (std::string(head, 4) != "RIFF") {
            break;
        }
        const auto* b = reinterpret_cast<const unsigned char*>(head);
        const std::uint32_t size = b[4] | b[5] << 8 | b[6] << 16 | std::uint32_t{b[7]} << 24;
        parts.emplace_back(head + 8, 4);
        at += 8 + size + (size & 1);
    }
    *covered = at;
    return parts;
}

} // namespace

TEST(AviWriterLargeFileTest, fileOverOneGibPlaysToItsLastFrame) {
    const char* wanted = std::getenv("DW_TEST_LARGE_AVI");
    if (wanted == nullptr || std::string(wanted) != "1") {
        GTEST_SKIP() << "writes 1.2 GB; set DW_TEST_LARGE_AVI=1 to run it";
    }
    constexpr int kW = 640;
    constexpr int kH = 480;
    constexpr int kFrames = 1300; // 39 s at 30 fps is 1 GiB; this is 43 s
    TempDir dir;
    const std::string path = dir.file("large.avi");
    std::vector<std::string> shown;
    ScopedMessageBoxHook hook([&](const std::string& t, const std::string&, std::uint32_t) {
        shown.push_back(t);
        return IDOK;
    });
    {
        reelkit::AviWriter writer;
        ASSERT_EQ(writer.WriteAVIFile(path.c_str(), kW, kH, 24, 30), S_OK);
        const Handle surface = CreateSurface(kW, kH);
        const Handle window = CreateWindowHandle(surface);
        for (int i = 0; i < kFrames; ++i) {
            paintPattern(surface, i);
            writer.WriteFrameEx(window, surface, kW, kH);
        }
        writer.CloseAVIFile();
        DestroySurface(surface);
    }
    EXPECT_TRUE(shown.empty());

    std::uint64_t covered = 0;
    const auto parts = riffParts(path, &covered);
    ASSERT_GE(parts.size(), 2u);
    EXPECT_EQ(parts[0], "AVI ");
    EXPECT_EQ(parts[1], "AVIX");
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    EXPECT_EQ(covered, static_cast<std::uint64_t>(in.tellg())) << "the parts cover the file";

    const Probe probe = probeVideo(path);
    EXPECT_EQ(probe.errors, "");
    EXPECT_EQ(probe.headerFrames, kFrames);
    EXPECT_EQ(probe.decodedFrames, kFrames);

    int status = 0;
    const std::string last = runCommand("ffmpeg -nostdin -v error -i '" + path +
                                            "' -vf 'select=gte(n\\," + std::to_string(kFrames - 3) +
                                            ")' -fps_mode passthrough -f rawvideo -pix_fmt bgr24 -",
                                        &status);
    EXPECT_EQ(status, 0);
    const std::size_t frame = static_cast<std::size_t>(kW) * kH * 3;
    ASSERT_EQ(last.size(), 3 * frame);
    for (int k = 0; k < 3; ++k) {
        const auto expected = patternTopDown(kW, kH, kFrames - 3 + k);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                               reinterpret_cast<const std::uint8_t*>(last.data()) + k * frame))
            << "frame " << kFrames - 3 + k;
    }
}
