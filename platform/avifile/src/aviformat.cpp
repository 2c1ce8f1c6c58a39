#include "dw/avifile/aviformat.h"

#include <vector>

#include "bytewriter.h"

namespace dw::avifile {

std::array<std::uint8_t, BitmapInfoHeader::kBytes> BitmapInfoHeader::toBytes() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kBytes);
    detail::ByteWriter w(bytes);
    w.u32(size);
    w.i32(width);
    w.i32(height);
    w.u16(planes);
    w.u16(bitCount);
    w.u32(compression);
    w.u32(sizeImage);
    w.i32(xPelsPerMeter);
    w.i32(yPelsPerMeter);
    w.u32(clrUsed);
    w.u32(clrImportant);
    std::array<std::uint8_t, kBytes> out{};
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return out;
}

std::optional<BitmapInfoHeader> BitmapInfoHeader::parse(const void* data, std::size_t size) {
    if (data == nullptr || size < kBytes) {
        return std::nullopt;
    }
    const auto* p = static_cast<const std::uint8_t*>(data);
    BitmapInfoHeader h;
    h.size = detail::readU32(p);
    h.width = static_cast<std::int32_t>(detail::readU32(p + 4));
    h.height = static_cast<std::int32_t>(detail::readU32(p + 8));
    h.planes = detail::readU16(p + 12);
    h.bitCount = detail::readU16(p + 14);
    h.compression = detail::readU32(p + 16);
    h.sizeImage = detail::readU32(p + 20);
    h.xPelsPerMeter = static_cast<std::int32_t>(detail::readU32(p + 24));
    h.yPelsPerMeter = static_cast<std::int32_t>(detail::readU32(p + 28));
    h.clrUsed = detail::readU32(p + 32);
    h.clrImportant = detail::readU32(p + 36);
    return h;
}

} // namespace dw::avifile
