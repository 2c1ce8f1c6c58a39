// The RIFF layout of written files, read back with our own chunk reader and with ffmpeg.
#include "dw/avifile/avifile.h"
#include "dw/avifile/compression.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "avitestformat.h"
#include "mediatools.h"

using namespace dw::avifile;
using namespace dw::testing;

namespace {

constexpr int kW = 32;
constexpr int kH = 16;
constexpr std::size_t kFrameBytes = 96 * 16;

// A disk of `capacity` bytes: a write past it stores what fits and fails, as a full disk does;
// cutting the file frees the space again.
class FullDiskOutput final : public OutputFile {
public:
    FullDiskOutput(std::unique_ptr<OutputFile> real, std::uint64_t capacity)
        : mReal(std::move(real)), mCapacity(capacity) {}

    bool writeAt(std::uint64_t offset, const ConstBuffer* pieces, int count,
                 std::string* error) override {
        std::uint64_t total = 0;
        for (int i = 0; i < count; ++i) {
            total += pieces[i].size;
        }
        if (offset + total <= mCapacity) {
            return mReal->writeAt(offset, pieces, count, error);
        }
        std::vector<std::uint8_t> joined;
        for (int i = 0; i < count; ++i) {
            const auto* p = static_cast<const std::uint8_t*>(pieces[i].data);
            joined.insert(joined.end(), p, p + pieces[i].size);
        }
        if (offset < mCapacity) {
            const ConstBuffer part{joined.data(), static_cast<std::size_t>(mCapacity - offset)};
            mReal->writeAt(offset, &part, 1, error);
        }
        ++mRefusals;
        *error = "write: No space left on device";
        return false;
    }
    bool truncate(std::uint64_t size, std::string* error) override {
        return mReal->truncate(size, error);
    }
    bool close(std::string* error) override {
        const bool closed = mReal->close(error);
        if (mFailClose) {
            *error = "close: Input/output error"; // a late write-back failure
            return false;
        }
        return closed;
    }
    int refusals() const { return mRefusals; }
    void failClose() { mFailClose = true; }

private:
    std::unique_ptr<OutputFile> mReal;
    std::uint64_t mCapacity;
    int mRefusals = 0;
    bool mFailClose = false;
};

struct Written {
    int frames = 0;      // frames the stream accepted
    Status firstFailure; // the write that was refused, if one was
};

// Writes up to `frames` distinct uncompressed frames and releases everything.
Written writeUncompressed(std::unique_ptr<OutputFile> out, int frames, FileOptions options = {}) {
    Written result;
    auto file = AviFile::create(std::move(out), options);
    Status st;
    auto raw = file->createStream(videoInfo(kW, kH, 10), &st);
    EXPECT_TRUE(st) << st.detail;
    auto stream = makeCompressedStream(raw, {}, &st);
    const auto format = dibFormat(kW, kH);
    EXPECT_TRUE(stream->setFormat(0, format.data(), format.size()));
    for (int i = 0; i < frames; ++i) {
        const auto dib = patternDib(kW, kH, i);
        st = stream->write(i, dib.data(), dib.size(), 0);
        if (!st) {
            result.firstFailure = st;
            EXPECT_FALSE(stream->write(i, dib.data(), dib.size(), 0))
                << "no writes after a failure";
            break;
        }
        ++result.frames;
    }
    return result;
}

std::unique_ptr<OutputFile> realFile(const std::string& path) {
    std::string error;
    auto out = createOutputFile(path, &error);
    EXPECT_TRUE(out) << error;
    return out;
}

// ffmpeg reads back exactly frames 0 .. count-1 of the pattern, and says nothing at error level.
void expectPlaysFrames(const std::string& path, int count) {
    if (!haveTool("ffmpeg")) {
        GTEST_SKIP() << "ffmpeg not installed";
    }
    std::vector<std::uint8_t> pixels;
    std::string errors;
    ASSERT_TRUE(decodeBgr24(path, &pixels, &errors)) << errors;
    EXPECT_EQ(errors, "");
    const std::size_t frameBytes = static_cast<std::size_t>(kW) * kH * 3;
    ASSERT_EQ(pixels.size(), frameBytes * count) << "frames decoded";
    for (int i = 0; i < count; ++i) {
        const auto expected = patternTopDown(kW, kH, i);
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), pixels.begin() + i * frameBytes))
            << "frame " << i;
    }
    const Probe probe = probeVideo(path);
    EXPECT_EQ(probe.headerFrames, count);
    EXPECT_EQ(probe.decodedFrames, count);
}

std::vector<RiffChunk> parse(const std::string& path, std::vector<std::uint8_t>* bytes) {
    *bytes = fileBytes(path);
    std::string error;
    auto chunks = readRiff(*bytes, &error);
    EXPECT_EQ(error, "");
    return chunks;
}

} // namespace

TEST(AviFileTest, smallFileHasLegacyAndOpenDmlIndexes) {
    TempDir dir;
    const std::string path = dir.file("a.avi");
    EXPECT_EQ(writeUncompressed(realFile(path), 3).frames, 3);
    std::vector<std::uint8_t> b;
    const auto top = parse(path, &b);
    ASSERT_EQ(top.size(), 1u) << "one RIFF part below the limit";
    const RiffChunk& riff = top[0];
    EXPECT_EQ(riff.listType, "AVI ");
    EXPECT_EQ(riff.offset + 8 + riff.size, b.size()) << "RIFF size covers the file";

    const RiffChunk* avih = riff.find("avih");
    ASSERT_NE(avih, nullptr);
    EXPECT_EQ(le32(b, avih->dataOffset() + 0), 100000u) << "microseconds per frame at 10 fps";
    EXPECT_EQ(le32(b, avih->dataOffset() + 12) & 0x10, 0x10u) << "has an index";
    EXPECT_EQ(le32(b, avih->dataOffset() + 16), 3u);
    EXPECT_EQ(le32(b, avih->dataOffset() + 24), 1u) << "streams";
    EXPECT_EQ(le32(b, avih->dataOffset() + 32), 32u);
    EXPECT_EQ(le32(b, avih->dataOffset() + 36), 16u);

    const RiffChunk* movi = riff.find("movi");
    ASSERT_NE(movi, nullptr);
    const auto frames = movi->findAll("00db");
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0]->size, kFrameBytes);

    const RiffChunk* idx1 = riff.find("idx1");
    ASSERT_NE(idx1, nullptr);
    ASSERT_EQ(idx1->size, 3u * 16);
    for (int i = 0; i < 3; ++i) {
        const std::size_t e = idx1->dataOffset() + 16 * i;
        EXPECT_EQ(le32(b, e + 4), 0x10u) << "uncompressed frames are key frames";
        EXPECT_EQ(le32(b, e + 8) + movi->dataOffset(), frames[i]->offset)
            << "offsets count from the 'movi' code";
        EXPECT_EQ(le32(b, e + 12), kFrameBytes);
    }

    const RiffChunk* indx = riff.find("indx");
    const RiffChunk* ix = movi->find("ix00");
    ASSERT_NE(indx, nullptr);
    ASSERT_NE(ix, nullptr);
    EXPECT_EQ(le32(b, indx->dataOffset() + 4), 1u) << "one part indexed";
    EXPECT_EQ(le32(b, indx->dataOffset() + 24), ix->offset);
    EXPECT_EQ(le32(b, indx->dataOffset() + 36), 3u) << "the part's duration";
    EXPECT_EQ(le32(b, ix->dataOffset() + 4), 3u);
    EXPECT_EQ(le32(b, ix->dataOffset() + 12), movi->dataOffset()) << "base offset";
    EXPECT_EQ(le32(b, ix->dataOffset() + 24) + movi->dataOffset(), frames[0]->dataOffset());
    const RiffChunk* dmlh = riff.find("dmlh");
    ASSERT_NE(dmlh, nullptr);
    EXPECT_EQ(le32(b, dmlh->dataOffset()), 3u);
    expectPlaysFrames(path, 3);
}

TEST(AviFileTest, partsPastTheLimitContinueInAvixAndPlayToTheEnd) {
    TempDir dir;
    const std::string path = dir.file("parts.avi");
    FileOptions options;
    options.riffLimitBytes = 8 * 1024; // about five frames per part
    EXPECT_EQ(writeUncompressed(realFile(path), 23, options).frames, 23);
    std::vector<std::uint8_t> b;
    const auto top = parse(path, &b);
    ASSERT_GE(top.size(), 4u);
    EXPECT_EQ(top[0].listType, "AVI ");
    std::size_t inParts = 0;
    for (std::size_t i = 1; i < top.size(); ++i) {
        EXPECT_EQ(top[i].listType, "AVIX");
        EXPECT_EQ(top[i].find("idx1"), nullptr) << "the legacy index covers the first part only";
        ASSERT_NE(top[i].find("ix00"), nullptr);
        inParts += top[i].find("movi")->findAll("00db").size();
    }
    const std::size_t first = top[0].find("movi")->findAll("00db").size();
    EXPECT_EQ(first + inParts, 23u);
    EXPECT_EQ(top[0].find("idx1")->size, first * 16);
    EXPECT_EQ(le32(b, top[0].find("avih")->dataOffset() + 16), first);
    EXPECT_EQ(le32(b, top[0].find("dmlh")->dataOffset()), 23u);
    EXPECT_EQ(le32(b, top[0].find("strh")->dataOffset() + 32), 23u) << "stream length: all";
    EXPECT_EQ(le32(b, top[0].find("indx")->dataOffset() + 4), top.size());
    EXPECT_EQ(top.back().offset + 8 + top.back().size, b.size());
    expectPlaysFrames(path, 23);
}

struct DiskFullCase {
    const char* name;
    std::uint64_t riffLimitBytes;
    int framesThatFit; // the capacity is this many frames and a bit
    std::uint64_t spareBytes;
    bool roomForIndexes;
};

class AviFileDiskFullTest : public ::testing::TestWithParam<DiskFullCase> {};

TEST_P(AviFileDiskFullTest, fileEndsAtTheLastWholeFrameAndPlays) {
    const DiskFullCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.file("full.avi");
    FileOptions options;
    options.riffLimitBytes = c.riffLimitBytes;
    // Measure where frame n ends with a file that does not fill up.
    const std::string probePath = dir.file("measure.avi");
    writeUncompressed(realFile(probePath), c.framesThatFit, options);
    std::vector<std::uint8_t> measured;
    const auto top = parse(probePath, &measured);
    const auto chunks = top.back().find("movi")->findAll("00db");
    ASSERT_FALSE(chunks.empty());
    const std::uint64_t lastEnd = chunks.back()->offset + 8 + chunks.back()->size;

    auto disk = std::make_unique<FullDiskOutput>(realFile(path), lastEnd + c.spareBytes);
    const Written w = writeUncompressed(std::move(disk), c.framesThatFit + 20, options);
    EXPECT_EQ(w.frames, c.framesThatFit);
    EXPECT_EQ(w.firstFailure.error, AviError::Write);
    EXPECT_NE(w.firstFailure.detail.find("No space"), std::string::npos) << w.firstFailure.detail;
    std::vector<std::uint8_t> b;
    const auto parts = parse(path, &b);
    ASSERT_FALSE(parts.empty());
    EXPECT_EQ(parts.back().offset + 8 + parts.back().size, b.size()) << "no torn chunk at the end";
    EXPECT_EQ(parts.back().find("ix00") != nullptr, c.roomForIndexes);
    EXPECT_EQ(le32(b, parts[0].find("avih")->dataOffset() + 12) & 0x10,
              parts.size() == 1 && c.roomForIndexes ? 0x10u
              : parts.size() > 1                    ? 0x10u
                                                    : 0u)
        << "the index flag tells whether 'idx1' was written";
    expectPlaysFrames(path, c.framesThatFit);
}

INSTANTIATE_TEST_SUITE_P(Cases, AviFileDiskFullTest,
                         ::testing::Values(DiskFullCase{"inFirstPart", 1 << 30, 6, 700, true},
                                           DiskFullCase{"inExtensionPart", 8 * 1024, 13, 700, true},
                                           DiskFullCase{"noRoomLeftForIndexes", 1 << 30, 6, 4,
                                                        false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AviFileTest, refusesWhatTheFileCannotHold) {
    TempDir dir;
    auto file = AviFile::create(realFile(dir.file("r.avi")));
    Status st;
    StreamInfo audio = videoInfo(kW, kH, 10);
    audio.fccType = fourcc("auds");
    EXPECT_EQ(file->createStream(audio, &st), nullptr);
    EXPECT_EQ(st.error, AviError::BadArgument);
    for (const FrameRect r : {FrameRect{0, 0, 0, 16}, FrameRect{0, 0, 16, -1},
                              FrameRect{0, 0, 32768, 16}, FrameRect{0, 0, 30000, 30000}}) {
        StreamInfo info = videoInfo(kW, kH, 10);
        info.frame = r;
        EXPECT_EQ(file->createStream(info, &st), nullptr) << r.right << "x" << r.bottom;
    }
    auto raw = file->createStream(videoInfo(kW, kH, 10), &st);
    ASSERT_TRUE(raw);
    EXPECT_EQ(file->createStream(videoInfo(kW, kH, 10), &st), nullptr) << "one stream per file";

    const auto dib = patternDib(kW, kH, 0);
    EXPECT_EQ(raw->write(0, dib.data(), dib.size(), 0).error, AviError::BadArgument)
        << "no samples before a format";
    const std::uint8_t shortFormat[20] = {};
    EXPECT_EQ(raw->setFormat(0, shortFormat, sizeof shortFormat).error, AviError::BadFormat);
    const auto format = dibFormat(kW, kH);
    EXPECT_EQ(raw->setFormat(1, format.data(), format.size()).error, AviError::BadFormat);
    ASSERT_TRUE(raw->setFormat(0, format.data(), format.size()));
    EXPECT_EQ(raw->write(1, dib.data(), dib.size(), 0).error, AviError::BadArgument)
        << "samples come in order";
    ASSERT_TRUE(raw->write(0, dib.data(), dib.size(), AVIIF_KEYFRAME));
    EXPECT_EQ(raw->setFormat(0, format.data(), format.size()).error, AviError::BadFormat)
        << "the format is fixed once samples exist";
    EXPECT_EQ(raw->length(), 1);
}

TEST(AviFileTest, finishReportsIndexesHeaderOrCloseThatFail) {
    struct Row {
        const char* label;
        std::uint64_t spareBytes; // past the last frame
        bool closeFails;
        bool finished;
    };
    constexpr int kFrames = 6;
    TempDir dir;
    const std::string probePath = dir.file("measure.avi");
    writeUncompressed(realFile(probePath), kFrames);
    std::vector<std::uint8_t> measured;
    const auto top = parse(probePath, &measured);
    const auto chunks = top.back().find("movi")->findAll("00db");
    ASSERT_EQ(chunks.size(), static_cast<std::size_t>(kFrames));
    const std::uint64_t lastEnd = chunks.back()->offset + 8 + chunks.back()->size;
    for (const Row& row : {Row{"room for everything", 1 << 20, false, true},
                           Row{"no room for the indexes", 4, false, false},
                           Row{"room for 'ix00' only", 8 + 24 + 8 * kFrames + 8, false, false},
                           Row{"close fails", 1 << 20, true, false}}) {
        SCOPED_TRACE(row.label);
        const std::string path = dir.file("f.avi");
        auto disk = std::make_unique<FullDiskOutput>(realFile(path), lastEnd + row.spareBytes);
        if (row.closeFails) {
            disk->failClose();
        }
        auto file = AviFile::create(std::move(disk));
        Status st;
        auto raw = file->createStream(videoInfo(kW, kH, 10), &st);
        const auto format = dibFormat(kW, kH);
        ASSERT_TRUE(raw->setFormat(0, format.data(), format.size()));
        for (int i = 0; i < kFrames; ++i) {
            const auto dib = patternDib(kW, kH, i);
            ASSERT_TRUE(raw->write(i, dib.data(), dib.size(), AVIIF_KEYFRAME)) << "frame " << i;
        }
        const Status finished = file->finish();
        EXPECT_EQ(static_cast<bool>(finished), row.finished) << finished.detail;
        EXPECT_EQ(file->finish().error, finished.error) << "a second call reports the same";
        const auto dib = patternDib(kW, kH, kFrames);
        EXPECT_FALSE(raw->write(kFrames, dib.data(), dib.size(), 0)) << "no samples once finished";
        raw.reset();
        file.reset();
        expectPlaysFrames(path, kFrames);
    }
}
