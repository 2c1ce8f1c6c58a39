#include "design/picturefile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "bmpbytes.h"
#include "design/picture.h"
#include "picturefolder.h"

using namespace dw::design;
using namespace dw::testing;

namespace {

// Five colours whose components are multiples of 8, so 16-bit files hold them exactly.
const std::vector<QRgb> kPalette{0xFF000000, 0xFFF80000, 0xFF00F800, 0xFF0000F8, 0xFF102030};

// A 5 x 3 picture: odd width, so every kind of row needs padding.
const std::vector<std::vector<int>> kIndices{{1, 2, 3, 4, 0}, {0, 0, 1, 1, 2}, {4, 3, 2, 1, 0}};

std::vector<std::vector<int>> twoColourIndices() {
    auto indices = kIndices;
    for (auto& row : indices) {
        for (int& index : row) {
            index %= 2;
        }
    }
    return indices;
}

std::vector<std::vector<QRgb>> coloursOf(const std::vector<std::vector<int>>& indices) {
    std::vector<std::vector<QRgb>> rows;
    for (const auto& row : indices) {
        rows.emplace_back();
        for (int index : row) {
            rows.back().push_back(kPalette[static_cast<std::size_t>(index)]);
        }
    }
    return rows;
}

BmpLayout layoutOf(int bpp, BmpCompression compression = BmpCompression::Rgb,
                   bool topDown = false) {
    BmpLayout layout;
    layout.width = 5;
    layout.height = 3;
    layout.bitsPerPixel = bpp;
    layout.compression = compression;
    layout.topDown = topDown;
    return layout;
}

std::string paletteFile(int bpp, BmpCompression compression = BmpCompression::Rgb,
                        bool topDown = false) {
    BmpLayout layout = layoutOf(bpp, compression, topDown);
    if (bpp == 1) {
        layout.palette = {kPalette[0], kPalette[1]};
        return indexedBmp(layout, twoColourIndices());
    }
    layout.palette = kPalette;
    if (compression == BmpCompression::Rgb) {
        return indexedBmp(layout, kIndices);
    }
    return runLengthBmp(layout, kIndices);
}

std::string trueColourFile(int bpp, bool topDown = false, bool is565 = false) {
    BmpLayout layout =
        layoutOf(bpp, is565 ? BmpCompression::Bitfields : BmpCompression::Rgb, topDown);
    if (is565) {
        layout.masks = {0xF800, 0x07E0, 0x001F};
    }
    return trueColourBmp(layout, coloursOf(kIndices));
}

struct BitmapKind {
    const char* name;
    std::function<std::string()> bytes;
    bool twoColours = false;
};

class BitmapKinds : public ::testing::TestWithParam<BitmapKind> {};

TEST_P(BitmapKinds, loadEveryPixelInPlace) {
    PictureFolder folder;
    const std::string path = folder.write("kind.bmp", GetParam().bytes());
    Picture picture;
    ASSERT_EQ(loadPictureFile(path, picture), "");
    ASSERT_EQ(picture.width(), 5);
    ASSERT_EQ(picture.height(), 3);
    const auto expected = coloursOf(GetParam().twoColours ? twoColourIndices() : kIndices);
    const QImage image = picture.toImage();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(image.pixel(x, y), expected[y][x]) << "at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    PictureFile, BitmapKinds,
    ::testing::Values(
        BitmapKind{"bits1", [] { return paletteFile(1); }, true},
        BitmapKind{"bits4", [] { return paletteFile(4); }},
        BitmapKind{"bits8", [] { return paletteFile(8); }},
        BitmapKind{"bits16", [] { return trueColourFile(16); }},
        BitmapKind{"bits16With565Masks", [] { return trueColourFile(16, false, true); }},
        BitmapKind{"bits24", [] { return trueColourFile(24); }},
        BitmapKind{"bits32", [] { return trueColourFile(32); }},
        BitmapKind{"runLength8", [] { return paletteFile(8, BmpCompression::Rle8); }},
        BitmapKind{"runLength4", [] { return paletteFile(4, BmpCompression::Rle4); }},
        BitmapKind{"topDown1", [] { return paletteFile(1, BmpCompression::Rgb, true); }, true},
        BitmapKind{"topDown8", [] { return paletteFile(8, BmpCompression::Rgb, true); }},
        BitmapKind{"topDown24", [] { return trueColourFile(24, true); }}),
    [](const auto& info) { return std::string(info.param.name); });

void putBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

std::string pngChunk(const std::string& typeAndData) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (unsigned char c : typeAndData) {
        crc ^= c;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    std::string chunk;
    putBigEndian(chunk, static_cast<std::uint32_t>(typeAndData.size() - 4));
    chunk += typeAndData;
    putBigEndian(chunk, ~crc);
    return chunk;
}

// A PNG whose header claims the given size, with an empty image data chunk behind it.
std::string pngHeader(std::uint32_t width, std::uint32_t height) {
    std::string header = "IHDR";
    putBigEndian(header, width);
    putBigEndian(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);
    return "\x89PNG\r\n\x1a\n" + pngChunk(header) + pngChunk("IDAT") + pngChunk("IEND");
}

// A bitmap file whose header claims a size but which holds only a few bytes of pixels.
std::string bitmapHeader(int width, int height) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    return assembleBmp(layout, std::string(64, '\0'));
}

std::string truncated(const std::string& bytes, std::size_t cut) {
    return bytes.substr(0, bytes.size() - cut);
}

struct BadFile {
    const char* name;
    std::function<std::string(const PictureFolder&)> path;
    const char* error;
};

class BadFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, areRefusedWithTheirDescriptionAndLeaveThePictureEmpty) {
    PictureFolder folder;
    Picture picture;
    ASSERT_EQ(loadPictureFile(folder.write("good.bmp", trueColourFile(24)), picture), "");
    EXPECT_EQ(loadPictureFile(GetParam().path(folder), picture), GetParam().error);
    EXPECT_TRUE(picture.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    PictureFile, BadFiles,
    ::testing::Values(
        BadFile{"missing", [](auto& f) { return f.path() + "none.bmp"; }, kFileNotFound},
        BadFile{"emptyName", [](auto&) { return std::string(); }, kFileNotFound},
        BadFile{"folder", [](auto& f) { return f.path(); }, kFileNotFound},
        BadFile{"text", [](auto& f) { return f.write("a.bmp", "not a picture at all"); },
                kInvalidPicture},
        BadFile{"emptyFile", [](auto& f) { return f.write("e.bmp", ""); }, kInvalidPicture},
        BadFile{"headerCut",
                [](auto& f) { return f.write("h.bmp", trueColourFile(24).substr(0, 30)); },
                kInvalidPicture},
        BadFile{"rowsCut",
                [](auto& f) { return f.write("r.bmp", truncated(trueColourFile(24), 5)); },
                kInvalidPicture},
        BadFile{"lastPaddingCut",
                [](auto& f) { return f.write("p.bmp", truncated(trueColourFile(24), 1)); },
                kInvalidPicture},
        BadFile{"runLengthCut",
                [](auto& f) {
                    return f.write("l.bmp", truncated(paletteFile(8, BmpCompression::Rle8), 4));
                },
                kInvalidPicture},
        BadFile{"zeroWidth", [](auto& f) { return f.write("z.bmp", bitmapHeader(0, 5)); },
                kInvalidPicture},
        BadFile{"absurdBitmap",
                [](auto& f) { return f.write("x.bmp", bitmapHeader(100000, 100000)); },
                kPictureTooLarge},
        BadFile{"widthPast16Bits", [](auto& f) { return f.write("w.bmp", bitmapHeader(40000, 1)); },
                kPictureTooLarge},
        BadFile{"tooManyPixels", [](auto& f) { return f.write("m.bmp", bitmapHeader(9000, 9000)); },
                kPictureTooLarge},
        BadFile{"absurdPng", [](auto& f) { return f.write("x.png", pngHeader(100000, 100000)); },
                kPictureTooLarge}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureFileTest, onePixelBitmapAndOtherFormatsLoad) {
    PictureFolder folder;
    BmpLayout layout;
    layout.width = 1;
    layout.height = 1;
    Picture picture;
    ASSERT_EQ(
        loadPictureFile(folder.write("dot.bmp", trueColourBmp(layout, {{0xFF123456}})), picture),
        "");
    EXPECT_EQ(picture.width(), 1);
    EXPECT_EQ(picture.toImage().pixel(0, 0), 0xFF123456u);

    ASSERT_EQ(loadPictureFile(folder.writePicture("face.png", 7, 4, 0xFF00FF00), picture), "");
    EXPECT_EQ(picture.width(), 7);
    EXPECT_EQ(picture.height(), 4);
    EXPECT_EQ(picture.toImage().pixel(6, 3), 0xFF00FF00u);
}

} // namespace
