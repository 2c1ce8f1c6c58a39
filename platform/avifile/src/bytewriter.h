#pragma once
// Appends little-endian values to a byte vector: how every header of the file is laid out.
#include <cstdint>
#include <cstring>
#include <vector>

namespace dw::avifile::detail {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : mOut(out) {}

    void u8(std::uint8_t v) { mOut.push_back(v); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void u64(std::uint64_t v) {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }
    void tag(const char (&code)[5]) { bytes(code, 4); }
    void bytes(const void* data, std::size_t size) {
        if (size == 0) {
            return;
        }
        const std::size_t at = mOut.size();
        mOut.resize(at + size);
        std::memcpy(mOut.data() + at, data, size);
    }
    void zeros(std::size_t count) { mOut.insert(mOut.end(), count, 0); }
    std::size_t size() const { return mOut.size(); }

private:
    std::vector<std::uint8_t>& mOut;
};

// Reads little-endian values; callers check the length first.
inline std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint16_t readU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

} // namespace dw::avifile::detail
