// The AVI writer's calls, messages and return codes, and the files it leaves.
#include "aviwriter.h"

#include <gtest/gtest.h>

#include <fstream>

#include "avitestframes.h"
#include "dw/platform/compressiondialog.h"
#include "dw/platform/messagebox.h"
#include "mediatools.h"

using namespace dw::testing;
using namespace dw::platform;
using dw::com::E_FAIL;
using dw::com::S_OK;
using reelkit::AviWriter;

namespace {

struct Shown {
    std::string text;
    std::string caption;
    std::uint32_t flags;
};

class AviWriterTest : public ::testing::Test {
protected:
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Shown& s : mShown) {
            out.push_back(s.text);
        }
        return out;
    }

    // A surface with its window, painted with the pattern of `seed`.
    struct Picture {
        Handle bitmap;
        Handle window;
    };
    Picture picture(int w, int h, int seed) {
        const Handle s = CreateSurface(w, h);
        paintPattern(s, seed);
        mSurfaces.push_back(s);
        return {s, CreateWindowHandle(s)};
    }
    void TearDown() override {
        for (Handle s : mSurfaces) {
            DestroySurface(s);
        }
    }

    std::vector<Shown> mShown;
    ScopedMessageBoxHook mHook{[this](const std::string& t, const std::string& c, std::uint32_t f) {
        mShown.push_back({t, c, f});
        return IDOK;
    }};
    TempDir mDir;
    std::vector<Handle> mSurfaces;
};

std::optional<CompressionChoice> answer(const char* codec) {
    if (codec == nullptr) {
        return std::nullopt;
    }
    return CompressionChoice{codec, 0, 0};
}

void expectDecodes(const std::string& path, const std::vector<std::vector<std::uint8_t>>& frames) {
    std::vector<std::uint8_t> pixels;
    std::string errors;
    ASSERT_TRUE(decodeBgr24(path, &pixels, &errors)) << errors;
    std::vector<std::uint8_t> expected;
    for (const auto& f : frames) {
        expected.insert(expected.end(), f.begin(), f.end());
    }
    EXPECT_EQ(pixels.size(), expected.size());
    EXPECT_TRUE(pixels == expected) << "decoded frames differ from the pictures written";
}

struct Refusal {
    const char* name;
    const char* file; // in the test folder; "<null>" passes a null name
    int width, height, bitsPerPixel, fps;
    const char* codec; // the dialog's answer; null cancels
    const char* message;
    bool oldFileStays; // refused before the old file is deleted
};

class AviWriterRefusalTest : public AviWriterTest, public ::testing::WithParamInterface<Refusal> {};

} // namespace

TEST_P(AviWriterRefusalTest, showsOneMessageReturnsFailAndLeavesNothingOpen) {
    const Refusal& r = GetParam();
    ScopedCompressionDialogHook dialog([&](const CompressionRequest&) { return answer(r.codec); });
    const std::string path = r.file[0] == '/' ? r.file : mDir.file(r.file);
    std::ofstream(mDir.file("old.avi")) << "old";
    AviWriter writer;
    const char* name = std::string(r.file) == "<null>" ? nullptr : path.c_str();
    EXPECT_EQ(writer.WriteAVIFile(name, r.width, r.height, r.bitsPerPixel, r.fps), E_FAIL);
    ASSERT_EQ(mShown.size(), 1u);
    EXPECT_EQ(mShown[0].text, r.message);
    EXPECT_EQ(mShown[0].caption, "Fatal Error");
    EXPECT_EQ(mShown[0].flags, MB_OK);

    const Picture p = picture(64, 48, 1);
    EXPECT_EQ(writer.WriteFrameEx(p.window, p.bitmap, 64, 48), E_FAIL);
    EXPECT_EQ(writer.WriteFrame(p.bitmap, p.bitmap, 64, 48), S_OK);
    EXPECT_EQ(writer.CloseAVIFile(), S_OK);
    EXPECT_EQ(mShown.size(), 1u) << "nothing open: frames are dropped without a message";
    if (std::string(r.file) == "old.avi") {
        const auto left = fileBytes(path);
        EXPECT_EQ(std::string(left.begin(), left.end()) == "old", r.oldFileStays);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AviWriterRefusalTest,
    ::testing::Values(
        Refusal{"fpsBelowZero", "old.avi", 64, 48, 24, -1, "", "FPS cannot be <0", true},
        Refusal{"eightBitsPerPixel", "old.avi", 64, 48, 8, 30, "", "Unsupported Pixel Format.\n",
                true},
        Refusal{"missingFolder", "/nonexistent-folder/x.avi", 64, 48, 24, 30, "",
                "AVIFileOpen failed.\n", false},
        Refusal{"folderIsAFile", "old.avi/x.avi", 64, 48, 24, 30, "", "AVIFileOpen failed.\n",
                false},
        Refusal{"emptyName", "", 64, 48, 24, 30, "", "AVIFileOpen failed.\n", false},
        Refusal{"nullName", "<null>", 64, 48, 24, 30, "", "AVIFileOpen failed.\n", false},
        Refusal{"emptyFrame", "old.avi", 0, 48, 24, 30, "", "Couldn't create AVI stream.\n", false},
        Refusal{"dialogCancelled", "old.avi", 64, 48, 24, 30, nullptr, "AVISaveOptions failed.\n",
                false},
        Refusal{"unknownCompressor", "old.avi", 64, 48, 24, 30, "cinepak",
                "Couldn't create compressed stream.\n", false},
        Refusal{"compressorRefusesTheFormat", "old.avi", 64, 48, 24, 100000, "mpeg4",
                "AVIStreamSetFormat returned an ERROR_LOG.\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AviWriterTest, uncompressedFileHasTheStreamHeaderAndFormatAsSet) {
    const std::string path = mDir.file("u.avi");
    AviWriter writer;
    ASSERT_EQ(writer.WriteAVIFile(path.c_str(), 101, 7, 24, 30), S_OK);
    const Picture a = picture(101, 7, 3);
    const Picture b = picture(101, 7, 4);
    EXPECT_EQ(writer.WriteFrameEx(a.window, a.bitmap, 101, 7), S_OK);
    EXPECT_EQ(writer.WriteFrameEx(b.window, b.bitmap, 101, 7), S_OK);
    EXPECT_EQ(writer.CloseAVIFile(), S_OK);
    EXPECT_TRUE(mShown.empty());

    const auto bytes = fileBytes(path);
    std::string error;
    const auto top = readRiff(bytes, &error);
    ASSERT_EQ(error, "");
    const RiffChunk* strh = top.at(0).find("strh");
    const RiffChunk* strf = top.at(0).find("strf");
    ASSERT_TRUE(strh && strf);
    const std::size_t h = strh->dataOffset();
    EXPECT_EQ(std::string(bytes.begin() + h, bytes.begin() + h + 4), "vids");
    const std::uint32_t expectedStrh[] = {
        0,          // handler
        0,          // flags
        0,          // priority, language
        0,          // initial frames
        1,          // scale
        30,         // rate
        0,          // start
        2,          // length: the frames written
        304 * 7,    // suggested buffer: the largest frame
        0xFFFFFFFF, // quality: the compressor's default
        0,          // sample size
        0,          // left, top
        101 | 7u << 16,
    };
    ASSERT_EQ(strh->size, 56u);
    for (std::size_t i = 0; i < std::size(expectedStrh); ++i) {
        EXPECT_EQ(le32(bytes, h + 4 + 4 * i), expectedStrh[i]) << "strh word " << i + 1;
    }
    ASSERT_EQ(strf->size, 44u) << "40-byte header and four zero bytes";
    const std::size_t f = strf->dataOffset();
    EXPECT_EQ(le32(bytes, f), 40u);
    EXPECT_EQ(le32(bytes, f + 4), 101u);
    EXPECT_EQ(le32(bytes, f + 8), 7u) << "positive height: bottom-up";
    EXPECT_EQ(le16(bytes, f + 12), 1u);
    EXPECT_EQ(le16(bytes, f + 14), 24u);
    EXPECT_EQ(le32(bytes, f + 16), 0u) << "uncompressed";
    EXPECT_EQ(le32(bytes, f + 20), 304u * 7) << "rows of 101 pixels pad to 304 bytes";
    for (std::size_t i = 24; i < 44; i += 4) {
        EXPECT_EQ(le32(bytes, f + i), 0u) << "byte " << i;
    }
    const auto chunks = top[0].find("movi")->findAll("00db");
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0]->size, 304u * 7);
    EXPECT_EQ(bytes[chunks[0]->dataOffset() + 303], 0) << "padding is zero";
    const auto dibA = patternDib(101, 7, 3);
    EXPECT_TRUE(std::equal(dibA.begin(), dibA.end(), bytes.begin() + chunks[0]->dataOffset()))
        << "the frame is the picture as a bottom-up DIB";
    expectDecodes(path, {surfaceTopDown(a.bitmap), surfaceTopDown(b.bitmap)});
}

TEST_F(AviWriterTest, frameRateZeroOpensAndStoresRateZero) {
    const std::string path = mDir.file("z.avi");
    AviWriter writer;
    ASSERT_EQ(writer.WriteAVIFile(path.c_str(), 16, 8, 24, 0), S_OK);
    const Picture p = picture(16, 8, 1);
    EXPECT_EQ(writer.WriteFrameEx(p.window, p.bitmap, 16, 8), S_OK);
    writer.CloseAVIFile();
    EXPECT_TRUE(mShown.empty());
    const auto bytes = fileBytes(path);
    std::string error;
    const auto top = readRiff(bytes, &error);
    EXPECT_EQ(le32(bytes, top.at(0).find("strh")->dataOffset() + 24), 0u);
    EXPECT_EQ(le32(bytes, top[0].find("avih")->dataOffset()), 0u) << "no division by zero";
    EXPECT_EQ(top[0].find("movi")->findAll("00db").size(), 1u);
}

TEST_F(AviWriterTest, sixteenAndThirtyTwoBitsOpenButEveryFrameIsRefused) {
    for (int bpp : {16, 32}) {
        mShown.clear();
        const std::string path = mDir.file("b.avi");
        AviWriter writer;
        ASSERT_EQ(writer.WriteAVIFile(path.c_str(), 16, 8, bpp, 10), S_OK);
        const Picture p = picture(16, 8, 1);
        EXPECT_EQ(writer.WriteFrameEx(p.window, p.bitmap, 16, 8), S_OK);
        EXPECT_EQ(writer.WriteFrame(p.bitmap, p.bitmap, 16, 8), S_OK);
        EXPECT_EQ(writer.WriteFrameEx(p.window, p.bitmap, 16, 8), S_OK) << "the file stays open";
        writer.CloseAVIFile();
        EXPECT_EQ(texts(),
                  std::vector<std::string>(3, "Frame format not the same as opened AVI.\n"));
        std::string error;
        const auto top = readRiff(fileBytes(path), &error);
        EXPECT_TRUE(top.at(0).find("movi")->findAll("00db").empty());
    }
}

TEST_F(AviWriterTest, sizeMismatchDropsOnlyThatFrame) {
    const std::string path = mDir.file("m.avi");
    AviWriter writer;
    ASSERT_EQ(writer.WriteAVIFile(path.c_str(), 32, 16, 24, 10), S_OK);
    const Picture a = picture(32, 16, 1);
    const Picture big = picture(64, 64, 2);
    const Picture b = picture(32, 16, 3);
    EXPECT_EQ(writer.WriteFrameEx(a.window, a.bitmap, 32, 16), S_OK);
    EXPECT_EQ(writer.WriteFrameEx(big.window, big.bitmap, 64, 64), S_OK);
    EXPECT_EQ(writer.WriteFrame(big.bitmap, big.bitmap, 64, 64), S_OK);
    EXPECT_EQ(writer.WriteFrameEx(b.window, b.bitmap, 32, 16), S_OK);
    writer.CloseAVIFile();
    EXPECT_EQ(texts(), std::vector<std::string>(2, "Frame format not the same as opened AVI.\n"));
    expectDecodes(path, {surfaceTopDown(a.bitmap), surfaceTopDown(b.bitmap)});
    EXPECT_EQ(probeVideo(path).headerFrames, 2);
}

TEST_F(AviWriterTest, callsBeforeOpeningAreQuiet) {
    AviWriter writer;
    const Picture p = picture(8, 8, 1);
    EXPECT_EQ(writer.Initialize(), S_OK);
    EXPECT_EQ(writer.WriteFrameEx(p.window, p.bitmap, 8, 8), E_FAIL);
    EXPECT_EQ(writer.WriteFrame(p.bitmap, p.bitmap, 8, 8), S_OK);
    EXPECT_EQ(writer.CloseAVIFile(), S_OK);
    EXPECT_TRUE(mShown.empty());
}

TEST_F(AviWriterTest, bothCapturePathsGiveTheSamePixels) {
    // A bitmap of the frame's size is read straight from its pixels; other sizes, and WriteFrame,
    // go through GetDIBits. All must agree, including bitmaps larger or smaller than the frame.
    const std::string path = mDir.file("p.avi");
    AviWriter writer;
    ASSERT_EQ(writer.WriteAVIFile(path.c_str(), 21, 5, 24, 10), S_OK);
    const Picture exact = picture(21, 5, 7);
    const Picture larger = picture(30, 9, 7);
    const Picture smaller = picture(10, 3, 7);
    writer.WriteFrameEx(exact.window, exact.bitmap, 21, 5);
    writer.WriteFrame(exact.bitmap, exact.bitmap, 21, 5);
    writer.WriteFrameEx(larger.window, larger.bitmap, 21, 5);
    writer.WriteFrameEx(smaller.window, smaller.bitmap, 21, 5);
    writer.CloseAVIFile();
    std::vector<std::uint8_t> dib(static_cast<std::size_t>(rowBytesOf(21)) * 5);
    std::vector<std::vector<std::uint8_t>> expected;
    for (Handle h : {exact.bitmap, exact.bitmap, larger.bitmap, smaller.bitmap}) {
        GetDIBits(h, h, 0, 5, 21, dib.data());
        std::vector<std::uint8_t> topDown;
        for (int y = 4; y >= 0; --y) {
            const auto* row = dib.data() + y * rowBytesOf(21);
            topDown.insert(topDown.end(), row, row + 21 * 3);
        }
        expected.push_back(topDown);
    }
    expectDecodes(path, expected);
}

TEST_F(AviWriterTest, unchangedPicturesAreNeitherCapturedNorEncodedAgain) {
    ScopedCompressionDialogHook dialog([](const CompressionRequest&) { return answer("mjpeg"); });
    const Picture p = picture(48, 32, 1);
    const Picture other = picture(48, 32, 9);
    auto run = [&](const std::string& path, bool reuse) {
        AviWriter writer;
        writer.setReuseUnchangedFrames(reuse);
        EXPECT_EQ(writer.WriteAVIFile(path.c_str(), 48, 32, 24, 10), S_OK);
        paintPattern(p.bitmap, 1);
        for (int i = 0; i < 3; ++i) {
            writer.WriteFrameEx(p.window, p.bitmap, 48, 32);
        }
        SetPixel(p.bitmap, 47, 31, 0x00FFFFFF); // one pixel, in the bottom row
        writer.WriteFrameEx(p.window, p.bitmap, 48, 32);
        writer.WriteFrame(other.bitmap, other.bitmap, 48, 32);
        writer.WriteFrameEx(p.window, p.bitmap, 48, 32); // unchanged, but not the last written
        writer.WriteFrameEx(p.window, p.bitmap, 48, 32);
        const AviWriter::Stats s = writer.stats();
        writer.CloseAVIFile();
        return s;
    };
    const auto reused = run(mDir.file("r.avi"), true);
    const auto fresh = run(mDir.file("f.avi"), false);
    EXPECT_EQ(reused.framesUnchanged, 4);
    EXPECT_EQ(reused.stream.framesIn, 7);
    EXPECT_EQ(reused.stream.framesEncoded, 4) << "first, changed pixel, other, back to the picture";
    EXPECT_EQ(reused.stream.framesReused, 3);
    EXPECT_EQ(fresh.stream.framesEncoded, 7);
    EXPECT_EQ(fileBytes(mDir.file("r.avi")), fileBytes(mDir.file("f.avi")));
    std::vector<std::uint8_t> pixels;
    std::string errors;
    ASSERT_TRUE(decodeBgr24(mDir.file("r.avi"), &pixels, &errors)) << errors;
    const std::size_t frame = 48 * 32 * 3;
    ASSERT_EQ(pixels.size(), 7 * frame);
    auto decoded = [&](int i) {
        return std::vector<std::uint8_t>(pixels.begin() + i * frame,
                                         pixels.begin() + (i + 1) * frame);
    };
    EXPECT_NE(decoded(2), decoded(3)) << "a one-pixel change is seen";
    EXPECT_EQ(decoded(3), decoded(5)) << "after another picture, the picture comes back";
    EXPECT_NE(decoded(4), decoded(5));
}

TEST_F(AviWriterTest, unchangedPicturesStillWriteEveryFrameUncompressed) {
    const std::string path = mDir.file("same.avi");
    AviWriter writer;
    ASSERT_EQ(writer.WriteAVIFile(path.c_str(), 16, 8, 24, 10), S_OK);
    const Picture p = picture(16, 8, 2);
    writer.WriteFrameEx(p.window, p.bitmap, 16, 8);
    writer.WriteFrameEx(p.window, p.bitmap, 16, 8);
    const auto first = surfaceTopDown(p.bitmap);
    SetPixel(p.bitmap, 0, 0, 0x000000FF);
    writer.WriteFrameEx(p.window, p.bitmap, 16, 8);
    EXPECT_EQ(writer.stats().framesUnchanged, 1);
    writer.CloseAVIFile();
    expectDecodes(path, {first, first, surfaceTopDown(p.bitmap)});
}

TEST_F(AviWriterTest, openingAgainFinishesTheOpenFile) {
    const std::string first = mDir.file("1.avi");
    const std::string second = mDir.file("2.avi");
    AviWriter writer;
    const Picture a = picture(16, 8, 1);
    const Picture b = picture(16, 8, 2);
    ASSERT_EQ(writer.WriteAVIFile(first.c_str(), 16, 8, 24, 10), S_OK);
    writer.WriteFrameEx(a.window, a.bitmap, 16, 8);
    writer.WriteFrameEx(b.window, b.bitmap, 16, 8);
    ASSERT_EQ(writer.WriteAVIFile(second.c_str(), 16, 8, 24, 10), S_OK);
    writer.WriteFrameEx(b.window, b.bitmap, 16, 8);
    writer.CloseAVIFile();
    expectDecodes(first, {surfaceTopDown(a.bitmap), surfaceTopDown(b.bitmap)});
    expectDecodes(second, {surfaceTopDown(b.bitmap)});
}

TEST_F(AviWriterTest, writerGoingAwayFinishesTheOpenFile) {
    const std::string path = mDir.file("left.avi");
    const Picture a = picture(16, 8, 5);
    {
        AviWriter writer;
        ASSERT_EQ(writer.WriteAVIFile(path.c_str(), 16, 8, 24, 10), S_OK);
        writer.WriteFrameEx(a.window, a.bitmap, 16, 8);
        writer.WriteFrameEx(a.window, a.bitmap, 16, 8);
    }
    expectDecodes(path, {surfaceTopDown(a.bitmap), surfaceTopDown(a.bitmap)});
}

TEST_F(AviWriterTest, defaultSettingsChooseTheCompressorWithoutADialog) {
    setDefaultCompression({"MJPG", 0, 0});
    const std::string path = mDir.file("d.avi");
    AviWriter writer;
    const dw::com::HRESULT hr = writer.WriteAVIFile(path.c_str(), 32, 16, 24, 12);
    setDefaultCompression({});
    ASSERT_EQ(hr, S_OK);
    const Picture p = picture(32, 16, 1);
    writer.WriteFrameEx(p.window, p.bitmap, 32, 16);
    writer.CloseAVIFile();
    const Probe probe = probeVideo(path);
    EXPECT_EQ(probe.codec, "mjpeg");
    EXPECT_EQ(probe.frameRate, "12/1");
    EXPECT_EQ(probe.decodedFrames, 1);
}
