// Every compressor on offer, read back by ffprobe and ffmpeg, and the reuse of repeated frames.
#include "dw/avifile/avifile.h"
#include "dw/avifile/compression.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "avitestformat.h"
#include "mediatools.h"

using namespace dw::avifile;
using namespace dw::testing;
using dw::platform::CompressionChoice;

namespace {

struct Recording {
    CompressedStream::Stats stats;
    bool reused = false;
};

// Writes frames of the given seeds (a repeated seed is hinted as the same frame) and releases
// the file.
Recording record(const std::string& path, const CompressionChoice& choice, int w, int h, int fps,
                 const std::vector<int>& seeds, bool allowReuse = true) {
    Recording r;
    Status st;
    auto file = AviFile::create(path, &st);
    EXPECT_TRUE(file) << st.detail;
    auto raw = file->createStream(videoInfo(w, h, fps), &st);
    auto stream = makeCompressedStream(raw, choice, &st);
    EXPECT_TRUE(stream) << st.detail;
    if (!stream) {
        return r;
    }
    stream->setReuseRepeatedFrames(allowReuse);
    const auto format = dibFormat(w, h);
    st = stream->setFormat(0, format.data(), format.size());
    EXPECT_TRUE(st) << st.detail;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const auto dib = patternDib(w, h, seeds[i]);
        const SampleHint hint =
            i > 0 && seeds[i] == seeds[i - 1] ? SampleHint::SameAsPrevious : SampleHint::None;
        st = stream->write(static_cast<std::int32_t>(i), dib.data(), dib.size(), 0, hint);
        EXPECT_TRUE(st) << "frame " << i << ": " << st.detail;
    }
    r.stats = stream->stats();
    r.reused = stream->reusesRepeatedFrames();
    return r;
}

// A file that takes writes until told to refuse them, as a disk that fills at the last moment.
class RefusingOutput final : public OutputFile {
public:
    RefusingOutput(std::unique_ptr<OutputFile> real, const bool& refuse)
        : mReal(std::move(real)), mRefuse(refuse) {}
    bool writeAt(std::uint64_t offset, const ConstBuffer* pieces, int count,
                 std::string* error) override {
        if (mRefuse) {
            *error = "write: No space left on device";
            return false;
        }
        return mReal->writeAt(offset, pieces, count, error);
    }
    bool truncate(std::uint64_t size, std::string* error) override {
        return mReal->truncate(size, error);
    }
    bool close(std::string* error) override { return mReal->close(error); }

private:
    std::unique_ptr<OutputFile> mReal;
    const bool& mRefuse;
};

std::vector<int> seedsUpTo(int n) {
    std::vector<int> s(n);
    for (int i = 0; i < n; ++i) {
        s[i] = i;
    }
    return s;
}

bool offered(const std::string& name) {
    for (const auto& c : availableCompressors()) {
        if (c.name == name) {
            return true;
        }
    }
    return false;
}

struct CodecCase {
    const char* name;
    const char* choice; // as the dialog answers
    const char* ffprobeCodec;
    const char* fourcc; // in the stream header's handler and the format
};

class CompressorTest : public ::testing::TestWithParam<CodecCase> {};

} // namespace

TEST_P(CompressorTest, ffprobeSeesCodecRateFramesAndSize) {
    const CodecCase& c = GetParam();
    if (!offered(c.name)) {
        GTEST_SKIP() << c.name << " has no encoder here";
    }
    if (!haveTool("ffprobe")) {
        GTEST_SKIP() << "ffprobe not installed";
    }
    TempDir dir;
    const std::string path = dir.file("c.avi");
    record(path, {c.choice, 0, 0}, 64, 48, 15, seedsUpTo(12));
    const Probe p = probeVideo(path);
    ASSERT_TRUE(p.ok) << p.errors;
    EXPECT_EQ(p.errors, "");
    EXPECT_EQ(p.codec, c.ffprobeCodec);
    EXPECT_EQ(p.width, 64);
    EXPECT_EQ(p.height, 48);
    EXPECT_EQ(p.frameRate, "15/1");
    EXPECT_EQ(p.headerFrames, 12);
    EXPECT_EQ(p.decodedFrames, 12) << "an encoder's delayed frames are flushed at release";

    const auto b = fileBytes(path);
    std::string error;
    const auto top = readRiff(b, &error);
    ASSERT_FALSE(top.empty());
    const RiffChunk* strh = top[0].find("strh");
    const RiffChunk* strf = top[0].find("strf");
    ASSERT_TRUE(strh && strf);
    const std::uint32_t handler = le32(b, strh->dataOffset() + 4);
    const std::uint32_t compression = le32(b, strf->dataOffset() + 16);
    const std::string code(c.fourcc);
    if (code == "DIB ") {
        EXPECT_EQ(handler, 0u);
        EXPECT_EQ(compression, 0u);
        EXPECT_EQ(top[0].find("movi")->findAll("00db").size(), 12u);
    } else {
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[strh->dataOffset() + 4]), 4), code);
        EXPECT_EQ(compression, handler) << "the format names the same compressor";
        EXPECT_EQ(top[0].find("movi")->findAll("00dc").size(), 12u);
        EXPECT_EQ(le32(b, strf->dataOffset()), strf->size) << "header size counts extradata";
    }
}

TEST_P(CompressorTest, oddFrameSizesEncodeToo) {
    const CodecCase& c = GetParam();
    if (!offered(c.name) || !haveTool("ffprobe")) {
        GTEST_SKIP();
    }
    TempDir dir;
    record(dir.file("o.avi"), {c.choice, 0, 0}, 101, 9, 5, seedsUpTo(3));
    const Probe p = probeVideo(dir.file("o.avi"));
    EXPECT_EQ(p.errors, "");
    EXPECT_EQ(p.width, 101);
    EXPECT_EQ(p.height, 9);
    EXPECT_EQ(p.decodedFrames, 3);
}

INSTANTIATE_TEST_SUITE_P(Codecs, CompressorTest,
                         ::testing::Values(CodecCase{"uncompressed", "", "rawvideo", "DIB "},
                                           CodecCase{"mjpeg", "mjpg", "mjpeg", "MJPG"},
                                           CodecCase{"ffv1", "FFV1", "ffv1", "FFV1"},
                                           CodecCase{"mpeg4", "mpeg4", "mpeg4", "FMP4"},
                                           CodecCase{"h264", "H264", "h264", "H264"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CompressionTest, losslessFilesDecodeToThePixelsWritten) {
    if (!haveTool("ffmpeg")) {
        GTEST_SKIP() << "ffmpeg not installed";
    }
    for (const char* codec : {"", "ffv1"}) {
        SCOPED_TRACE(codec);
        TempDir dir;
        const std::string path = dir.file("l.avi");
        const int w = 101; // rows of 303 bytes padded to 304
        const int h = 9;
        record(path, {codec, 0, 0}, w, h, 30, {4, 5, 6});
        std::vector<std::uint8_t> pixels;
        std::string errors;
        ASSERT_TRUE(decodeBgr24(path, &pixels, &errors)) << errors;
        const std::size_t frame = static_cast<std::size_t>(w) * h * 3;
        ASSERT_EQ(pixels.size(), 3 * frame);
        for (int i = 0; i < 3; ++i) {
            const auto expected = patternTopDown(w, h, 4 + i);
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), pixels.begin() + i * frame))
                << "frame " << i;
        }
    }
}

TEST(CompressionTest, repeatedFramesReuseDataOnlyWhereTheFileIsIdentical) {
    struct Row {
        const char* label;
        CompressionChoice choice;
        bool reuses;
    };
    const std::vector<int> seeds = {1, 1, 1, 2, 2, 3, 3, 3, 3};
    for (const Row& row :
         {Row{"mjpeg fixed quality", {"mjpeg", 0, 0}, true},
          Row{"ffv1 every frame a key frame", {"ffv1", 1, 0}, true},
          Row{"mjpeg with a data rate", {"mjpeg", 0, 4000}, false},
          Row{"ffv1 default", {"ffv1", 0, 0}, false}, Row{"mpeg4", {"mpeg4", 0, 0}, false},
          Row{"mpeg4 all key frames", {"mpeg4", 1, 0}, false},
          Row{"h264", {"h264", 1, 0}, false}}) {
        SCOPED_TRACE(row.label);
        if (!offered(row.choice.codec)) {
            continue;
        }
        TempDir dir;
        const Recording reused = record(dir.file("r.avi"), row.choice, 48, 32, 10, seeds);
        const Recording fresh = record(dir.file("f.avi"), row.choice, 48, 32, 10, seeds, false);
        EXPECT_EQ(reused.reused, row.reuses);
        EXPECT_EQ(fresh.stats.framesEncoded, 9);
        EXPECT_EQ(reused.stats.framesIn, 9);
        if (row.reuses) {
            EXPECT_EQ(reused.stats.framesEncoded, 3) << "copies are not encoded";
            EXPECT_EQ(reused.stats.framesReused, 6);
            EXPECT_EQ(fileBytes(dir.file("r.avi")), fileBytes(dir.file("f.avi")))
                << "reused data is what encoding afresh gives";
        } else {
            EXPECT_EQ(reused.stats.framesEncoded, 9) << "predicting streams encode every copy";
            const Probe p = probeVideo(dir.file("r.avi"));
            EXPECT_EQ(p.errors, "");
            EXPECT_EQ(p.decodedFrames, 9);
        }
    }
}

TEST(CompressionTest, keyFrameIntervalAndDataRateReachTheEncoder) {
    if (!offered("mpeg4")) {
        GTEST_SKIP();
    }
    TempDir dir;
    record(dir.file("k.avi"), {"mpeg4", 5, 0}, 64, 48, 10, seedsUpTo(20));
    const auto b = fileBytes(dir.file("k.avi"));
    std::string error;
    const auto top = readRiff(b, &error);
    const RiffChunk* idx1 = top[0].find("idx1");
    ASSERT_NE(idx1, nullptr);
    ASSERT_EQ(idx1->size, 20u * 16);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(le32(b, idx1->dataOffset() + 16 * i + 4) == 0x10, i % 5 == 0) << "frame " << i;
    }

    record(dir.file("low.avi"), {"mpeg4", 0, 100}, 320, 240, 10, seedsUpTo(60));
    record(dir.file("high.avi"), {"mpeg4", 0, 4000}, 320, 240, 10, seedsUpTo(60));

    EXPECT_LT(fileBytes(dir.file("low.avi")).size() * 2, fileBytes(dir.file("high.avi")).size());
}

TEST(CompressionTest, choicesOutsideTheOfferAreRefused) {
    TempDir dir;
    Status st;
    auto file = AviFile::create(dir.file("x.avi"), &st);
    auto raw = file->createStream(videoInfo(64, 48, 10), &st);
    EXPECT_EQ(makeCompressedStream(raw, {"cinepak", 0, 0}, &st), nullptr);
    EXPECT_EQ(st.error, AviError::NoCompressor);
    EXPECT_EQ(makeCompressedStream(raw, {"mjpeg", -1, 0}, &st), nullptr);
    EXPECT_EQ(st.error, AviError::BadArgument);

    auto stream = makeCompressedStream(raw, {" dib ", 0, 0}, &st);
    ASSERT_TRUE(stream) << "the FourCC of full frames names them too";
    auto format = dibFormat(64, 48);
    format[14] = 16; // 16 bits per pixel
    EXPECT_EQ(stream->setFormat(0, format.data(), format.size()).error, AviError::BadFormat);
    format = dibFormat(64, 48);
    ASSERT_TRUE(stream->setFormat(0, format.data(), format.size()));
    const auto dib = patternDib(64, 48, 0);
    EXPECT_EQ(stream->write(0, dib.data(), dib.size() - 1, 0).error, AviError::BadArgument);
    EXPECT_EQ(stream->write(3, dib.data(), dib.size(), 0).error, AviError::BadArgument);
    EXPECT_TRUE(stream->write(0, dib.data(), dib.size(), 0));
}

TEST(CompressionTest, dialogIsAskedAboutTheStreamAndOffersWhatExists) {
    dw::platform::CompressionRequest seen;
    dw::platform::ScopedCompressionDialogHook scope([&](const auto& request) {
        seen = request;
        return std::optional<CompressionChoice>{};
    });
    EXPECT_FALSE(saveOptions(videoInfo(320, 240, 25), 3).has_value());
    EXPECT_EQ(seen.width, 320);
    EXPECT_EQ(seen.height, 240);
    EXPECT_EQ(seen.framesPerSecond, 25);
    EXPECT_EQ(seen.flags, 3u);
    ASSERT_FALSE(seen.offered.empty());
    EXPECT_EQ(seen.offered[0].name, "uncompressed");
    EXPECT_TRUE(offered("mjpeg") && offered("ffv1") && offered("mpeg4"))
        << "Debian's libavcodec has these encoders";

    initLibrary();
    EXPECT_EQ(dw::platform::offeredCompressors().size(), availableCompressors().size());
    exitLibrary();
}

TEST(CompressionTest, flushWritesHeldBackFramesAndReportsTheirRefusal) {
    if (!offered("h264")) {
        GTEST_SKIP() << "no H.264 encoder";
    }
    constexpr int kFrames = 10;
    for (const bool refuse : {false, true}) {
        SCOPED_TRACE(refuse ? "refused" : "accepted");
        TempDir dir;
        std::string error;
        bool refusing = false;
        auto file = AviFile::create(std::make_unique<RefusingOutput>(
            createOutputFile(dir.file("h.avi"), &error), refusing));
        Status st;
        auto raw = file->createStream(videoInfo(48, 32, 10), &st);
        auto stream = makeCompressedStream(raw, {"h264", 0, 0}, &st);
        ASSERT_TRUE(stream) << st.detail;
        const auto format = dibFormat(48, 32);
        ASSERT_TRUE(stream->setFormat(0, format.data(), format.size()));
        for (int i = 0; i < kFrames; ++i) {
            const auto dib = patternDib(48, 32, i);
            ASSERT_TRUE(stream->write(i, dib.data(), dib.size(), 0)) << "frame " << i;
        }
        ASSERT_LT(raw->length(), kFrames) << "the encoder holds frames back";
        refusing = refuse;
        const Status flushed = stream->flush();
        EXPECT_EQ(flushed.error, refuse ? AviError::Write : AviError::None) << flushed.detail;
        EXPECT_EQ(raw->length() == kFrames, !refuse);
        EXPECT_EQ(stream->flush().error, flushed.error) << "a second call reports the same";
        const auto dib = patternDib(48, 32, kFrames);
        EXPECT_FALSE(stream->write(kFrames, dib.data(), dib.size(), 0)) << "no frames once flushed";
        EXPECT_EQ(static_cast<bool>(file->finish()), !refuse);
    }
}
