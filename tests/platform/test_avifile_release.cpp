// Releasing a file finishes it, and finishing builds its indexes in memory: when memory runs out
// there, the release still returns and the output is still closed. Allocations are made to fail
// with a replaced operator new, so this test has a binary of its own.
#include "dw/avifile/avifile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "avitestformat.h"
#include "mediatools.h"

namespace {
std::atomic<bool> gRefuseAllocations{false};
}

void* operator new(std::size_t size) {
    if (gRefuseAllocations) {
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

namespace {

using namespace dw::avifile;

// Passes everything through and records whether the output was closed.
class ClosingOutput final : public OutputFile {
public:
    ClosingOutput(std::unique_ptr<OutputFile> real, bool& closed)
        : mReal(std::move(real)), mClosed(closed) {}
    bool writeAt(std::uint64_t offset, const ConstBuffer* pieces, int count,
                 std::string* error) override {
        return mReal->writeAt(offset, pieces, count, error);
    }
    bool truncate(std::uint64_t size, std::string* error) override {
        return mReal->truncate(size, error);
    }
    bool close(std::string* error) override {
        mClosed = true;
        return mReal->close(error);
    }

private:
    std::unique_ptr<OutputFile> mReal;
    bool& mClosed;
};

} // namespace

TEST(AviFileReleaseTest, releaseWithoutMemoryForTheIndexesStillClosesTheFile) {
    dw::testing::TempDir dir;
    std::string error;
    auto real = createOutputFile(dir.file("r.avi"), &error);
    ASSERT_TRUE(real) << error;
    bool closed = false;
    auto file = AviFile::create(std::make_unique<ClosingOutput>(std::move(real), closed));
    Status st;
    auto raw = file->createStream(dw::testing::videoInfo(32, 16, 10), &st);
    const auto format = dw::testing::dibFormat(32, 16);
    ASSERT_TRUE(raw->setFormat(0, format.data(), format.size()));
    const auto dib = dw::testing::patternDib(32, 16, 0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(raw->write(i, dib.data(), dib.size(), AVIIF_KEYFRAME));
    }
    gRefuseAllocations = true;
    raw.reset();
    file.reset(); // the last holder: finishing throws inside, the release must not
    gRefuseAllocations = false;
    EXPECT_TRUE(closed);
}
