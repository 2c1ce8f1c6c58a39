#pragma once
// Builds BMP files byte by byte, so the loader's tests cover every kind of bitmap file without
// depending on an encoder that might share the decoder's mistakes.
#include <cstdint>
#include <string>
#include <vector>

#include <QRgb>

namespace dw::testing {

enum class BmpCompression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3 };

// The parts of a bitmap file a test chooses; rows are given top row first whatever the order
// the file stores them in.
struct BmpLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    BmpCompression compression = BmpCompression::Rgb;
    bool topDown = false;
    std::vector<QRgb> palette;        // for 1, 4 and 8 bits
    std::vector<std::uint32_t> masks; // red, green, blue for Bitfields
};

inline void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// Assembles file header, 40-byte information header, masks, palette and the pixel bytes, which
// must already be in file order (bottom row first unless top-down) and padded.
inline std::string assembleBmp(const BmpLayout& layout, const std::string& pixelBytes) {
    std::string info;
    putLe(info, 40, 4);
    putLe(info, static_cast<std::uint32_t>(layout.width), 4);
    putLe(info, static_cast<std::uint32_t>(layout.topDown ? -layout.height : layout.height), 4);
    putLe(info, 1, 2);
    putLe(info, static_cast<std::uint32_t>(layout.bitsPerPixel), 2);
    putLe(info, static_cast<std::uint32_t>(layout.compression), 4);
    putLe(info, static_cast<std::uint32_t>(pixelBytes.size()), 4);
    putLe(info, 2835, 4);
    putLe(info, 2835, 4);
    putLe(info, static_cast<std::uint32_t>(layout.palette.size()), 4);
    putLe(info, 0, 4);
    for (std::uint32_t mask : layout.masks) {
        putLe(info, mask, 4);
    }
    for (QRgb colour : layout.palette) {
        putLe(info,
              static_cast<std::uint32_t>(qBlue(colour) | qGreen(colour) << 8 | qRed(colour) << 16),
              4);
    }
    std::string file = "BM";
    const auto offset = static_cast<std::uint32_t>(14 + info.size());
    putLe(file, static_cast<std::uint32_t>(offset + pixelBytes.size()), 4);
    putLe(file, 0, 4);
    putLe(file, offset, 4);
    return file + info + pixelBytes;
}

// Rows in file order, each padded to 4 bytes. `row(y, out)` appends the bytes of image row y.
template <typename RowWriter> std::string uncompressedRows(const BmpLayout& layout, RowWriter row) {
    std::string bytes;
    for (int i = 0; i < layout.height; ++i) {
        const int y = layout.topDown ? i : layout.height - 1 - i;
        std::string line;
        row(y, line);
        while (line.size() % 4 != 0) {
            line.push_back('\0');
        }
        bytes += line;
    }
    return bytes;
}

// A palette bitmap of 1, 4 or 8 bits from palette indices, top row first.
inline std::string indexedBmp(BmpLayout layout, const std::vector<std::vector<int>>& indices) {
    const int bpp = layout.bitsPerPixel;
    return assembleBmp(layout, uncompressedRows(layout, [&](int y, std::string& line) {
                           int bits = 0;
                           int used = 0;
                           for (int index : indices[static_cast<std::size_t>(y)]) {
                               bits = (bits << bpp) | index;
                               used += bpp;
                               if (used == 8) {
                                   line.push_back(static_cast<char>(bits));
                                   bits = 0;
                                   used = 0;
                               }
                           }
                           if (used != 0) {
                               line.push_back(static_cast<char>(bits << (8 - used)));
                           }
                       }));
}

// A true-colour bitmap of 16 (5-5-5, or the layout's masks), 24 or 32 bits, top row first.
inline std::string trueColourBmp(BmpLayout layout, const std::vector<std::vector<QRgb>>& rows) {
    return assembleBmp(
        layout, uncompressedRows(layout, [&](int y, std::string& line) {
            for (QRgb c : rows[static_cast<std::size_t>(y)]) {
                if (layout.bitsPerPixel == 16) {
                    const bool is565 = !layout.masks.empty() && layout.masks[1] == 0x07E0;
                    const std::uint32_t word =
                        is565 ? (qRed(c) >> 3) << 11 | (qGreen(c) >> 2) << 5 | qBlue(c) >> 3
                              : (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3;
                    putLe(line, word, 2);
                } else {
                    putLe(line,
                          static_cast<std::uint32_t>(qBlue(c) | qGreen(c) << 8 | qRed(c) << 16),
                          layout.bitsPerPixel / 8);
                }
            }
        }));
}

// A run-length bitmap (8 or 4 bits): every row coded as runs of one index each, ended by an
// end-of-line code, the whole ended by an end-of-bitmap code. Rows are stored bottom row first.
inline std::string runLengthBmp(BmpLayout layout, const std::vector<std::vector<int>>& indices) {
    std::string bytes;
    for (int y = layout.height - 1; y >= 0; --y) {
        const auto& row = indices[static_cast<std::size_t>(y)];
        for (std::size_t x = 0; x < row.size();) {
            std::size_t run = 1;
            while (x + run < row.size() && row[x + run] == row[x] && run < 255) {
                ++run;
            }
            const int value = layout.bitsPerPixel == 4 ? (row[x] << 4 | row[x]) : row[x];
            bytes.push_back(static_cast<char>(run));
            bytes.push_back(static_cast<char>(value));
            x += run;
        }
        bytes += std::string("\0\0", 2);
    }
    bytes += std::string("\0\1", 2);
    return assembleBmp(layout, bytes);
}

} // namespace dw::testing
