// WriteFrameEx captures into the writer's own buffer: an uncompressed export allocates nothing
// per frame; and an export goes on when one of its buffers cannot be had. Counted and refused
// with a replaced operator new, so this test has a binary of its own.
#include "aviwriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "avitestframes.h"
#include "dw/platform/messagebox.h"
#include "mediatools.h"

namespace {
std::atomic<long> gAllocations{0};
std::atomic<std::size_t> gRefusedSize{0}; // an allocation of exactly this many bytes fails
} // namespace

void* operator new(std::size_t size) {
    ++gAllocations;
    if (size != 0 && size == gRefusedSize) {
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
// The compiler cannot see that the replaced operator new above takes its memory from malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

TEST(AviWriterAllocationTest, framesAreWrittenWithoutAllocatingEach) {
    using namespace dw::platform;
    dw::testing::TempDir dir;
    const std::string path = dir.file("a.avi");
    reelkit::AviWriter writer;
    ASSERT_EQ(writer.WriteAVIFile(path.c_str(), 64, 48, 24, 30), 0);
    const Handle a = CreateSurface(64, 48);
    const Handle b = CreateSurface(64, 48);
    dw::testing::paintPattern(a, 1);
    dw::testing::paintPattern(b, 2);
    writer.WriteFrameEx(a, a, 64, 48);
    const long before = gAllocations.load();
    constexpr int kFrames = 1000;
    for (int i = 0; i < kFrames; ++i) {
        const Handle h = (i / 3) % 2 == 0 ? b : a; // changed and unchanged frames
        writer.WriteFrameEx(h, h, 64, 48);
    }
    const long during = gAllocations.load() - before;
    writer.CloseAVIFile();
    // Only the growth of the index, which doubles, may allocate.
    EXPECT_LE(during, 12) << during << " allocations for " << kFrames << " frames";
    DestroySurface(a);
    DestroySurface(b);
}

TEST(AviWriterAllocationTest, noMemoryForTheComparisonCopyStillExportsEveryFrame) {
    using namespace dw::platform;
    constexpr int kW = 100;
    constexpr int kH = 60; // the copy is 24000 bytes, the frame buffer 18000
    dw::testing::TempDir dir;
    const std::string path = dir.file("nocopy.avi");
    std::vector<std::string> messages;
    ScopedMessageBoxHook hook([&](const std::string& t, const std::string&, std::uint32_t) {
        messages.push_back(t);
        return IDOK;
    });
    reelkit::AviWriter writer;
    gRefusedSize = std::size_t{kW} * kH * 4;
    const auto opened = writer.WriteAVIFile(path.c_str(), kW, kH, 24, 30);
    gRefusedSize = 0;
    ASSERT_EQ(opened, 0);
    const Handle surface = CreateSurface(kW, kH);
    for (const int seed : {1, 2, 2, 3}) {
        dw::testing::paintPattern(surface, seed);
        EXPECT_EQ(writer.WriteFrameEx(surface, surface, kW, kH), 0);
    }
    writer.CloseAVIFile();
    DestroySurface(surface);
    EXPECT_EQ(messages, std::vector<std::string>{});
    std::vector<std::uint8_t> pixels;
    std::string errors;
    ASSERT_TRUE(dw::testing::decodeBgr24(path, &pixels, &errors)) << errors;
    const std::size_t frame = std::size_t{kW} * kH * 3;
    ASSERT_EQ(pixels.size(), frame * 4);
    const auto expected = dw::testing::patternTopDown(kW, kH, 3);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), pixels.begin() + 3 * frame))
        << "the last frame is read in full";
}
