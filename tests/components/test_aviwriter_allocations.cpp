// WriteFrameEx captures into the writer's own buffer: an uncompressed export allocates nothing
// per frame. Counted with a replaced operator new, so this test has a binary of its own.
#include "aviwriter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "avitestframes.h"
#include "mediatools.h"

namespace {
std::atomic<long> gAllocations{0};
}

void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

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
