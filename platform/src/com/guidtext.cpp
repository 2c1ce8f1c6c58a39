#include "dw/platform/com/guidtext.h"

#include <cstdio>

namespace dw::com {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads `digits` hexadecimal digits starting at `pos`; false on any other character.
bool readHex(std::string_view text, std::size_t pos, int digits, std::uint64_t* value) {
    std::uint64_t v = 0;
    for (int k = 0; k < digits; ++k) {
        const int d = hexDigit(text[pos + k]);
        if (d < 0) {
            return false;
        }
        v = (v << 4) | static_cast<std::uint64_t>(d);
    }
    *value = v;
    return true;
}

} // namespace

std::string guidToString(const GUID& g) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

bool guidFromString(std::string_view text, GUID* out) {
    if (out == nullptr || text.size() != 38 || text.front() != '{' || text.back() != '}' ||
        text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-') {
        return false;
    }
    GUID g{};
    std::uint64_t v = 0;
    if (!readHex(text, 1, 8, &v)) {
        return false;
    }
    g.Data1 = static_cast<std::uint32_t>(v);
    if (!readHex(text, 10, 4, &v)) {
        return false;
    }
    g.Data2 = static_cast<std::uint16_t>(v);
    if (!readHex(text, 15, 4, &v)) {
        return false;
    }
    g.Data3 = static_cast<std::uint16_t>(v);
    // The last eight bytes: two before the fourth dash, six after it.
    static constexpr std::size_t kBytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int k = 0; k < 8; ++k) {
        if (!readHex(text, kBytePos[k], 2, &v)) {
            return false;
        }
        g.Data4[k] = static_cast<std::uint8_t>(v);
    }
    *out = g;
    return true;
}

} // namespace dw::com
