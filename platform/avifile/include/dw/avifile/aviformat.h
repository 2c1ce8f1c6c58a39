#pragma once
// The records an AVI file is described by: the stream description a caller fills in, the bitmap
// header of a video format, FourCC codes and sample flags, and the status every call returns.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace dw::avifile {

// Four characters as the little-endian 32-bit code stored in the file.
constexpr std::uint32_t fourcc(const char (&code)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}

inline constexpr std::uint32_t streamtypeVIDEO = fourcc("vids");
inline constexpr std::uint32_t BI_RGB = 0;
inline constexpr std::uint32_t AVIIF_KEYFRAME = 0x10; // sample flag: decodable on its own

struct FrameRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The description a stream is created with. The file keeps the sample count and largest
// sample itself; every other member goes into the stream header as given.
struct StreamInfo {
    std::uint32_t fccType = 0;
    std::uint32_t fccHandler = 0;
    std::uint32_t flags = 0;
    std::uint32_t caps = 0;
    std::uint16_t priority = 0;
    std::uint16_t language = 0;
    std::uint32_t scale = 0;
    std::uint32_t rate = 0; // samples per second = rate / scale
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    std::uint32_t initialFrames = 0;
    std::uint32_t suggestedBufferSize = 0;
    std::int32_t quality = 0; // -1: the compressor's default
    std::uint32_t sampleSize = 0;
    FrameRect frame;
    std::uint32_t editCount = 0;
    std::uint32_t formatChangeCount = 0;
    std::array<char, 64> name{};
};

// The 40-byte header of a device-independent bitmap, the format of a video stream.
struct BitmapInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: rows stored bottom-up
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;

    static constexpr std::size_t kBytes = 40;

    // The header as stored in a file, little-endian.
    std::array<std::uint8_t, kBytes> toBytes() const;
    // Reads a stored header; nullopt when fewer than 40 bytes are given.
    static std::optional<BitmapInfoHeader> parse(const void* data, std::size_t size);
};

// Bytes in one row of a bottom-up DIB: `bitCount` bits per pixel, padded to 4 bytes.
constexpr std::int64_t dibRowBytes(std::int64_t width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

enum class AviError {
    None,
    FileOpen,     // the file cannot be created
    BadArgument,  // a call out of order or with values the file cannot hold
    BadFormat,    // a format the stream cannot take
    NoCompressor, // the chosen compressor is not on offer
    Encoder,      // the compressor refused to start or to encode
    Write,        // the file refused data (a full disk, a lost device)
    Full,         // the file holds as much as its indexes can describe
};

// The outcome of a call: success, or an error with a text for logs and tests.
struct Status {
    AviError error = AviError::None;
    std::string detail;

    explicit operator bool() const { return error == AviError::None; }
    static Status ok() { return {}; }
    static Status fail(AviError e, std::string text) { return {e, std::move(text)}; }
};

} // namespace dw::avifile
