#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "runtimeerror.h"

namespace dw::design {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    }
    return v < base ? v : -1;
}

// What a scan found: the digits as plain text for the decimal conversion, or a radix value.
struct Scanned {
    bool found = false;    // at least one digit
    std::size_t end = 0;   // index after the last character that belongs to the number
    bool negative = false;
    bool radix = false;    // &H / &O form, value in radixValue
    double radixValue = 0;
    std::string mantissa;  // digits with at most one '.', no sign
    std::string exponent;  // signed decimal exponent digits, empty when none
};

// One scanner for both conversions. With blanks allowed the leading-number rules apply; without,
// the caller has trimmed the text and demands that the scan consume all of it.
Scanned scanNumber(std::string_view text, bool skipBlanks) {
    Scanned s;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skip = [&] {
        while (skipBlanks && i < n && isNumberBlank(text[i])) {
            ++i;
        }
    };
    skip();
    if (i + 1 < n && text[i] == '&') {
        const char kind = text[i + 1];
        const int base = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
        if (base == 0) {
            return s;
        }
        s.radix = true;
        i += 2;
        for (skip(); i < n; skip()) {
            const int v = digitValue(text[i], base);
            if (v < 0) {
                break;
            }
            s.radixValue = s.radixValue * base + v;
            s.found = true;
            ++i;
            s.end = i;
        }
        return s;
    }
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        s.negative = text[i] == '-';
        ++i;
        skip();
    }
    bool point = false;
    for (; i < n; skip()) {
        const char c = text[i];
        if (isDigit(c)) {
            s.mantissa += c;
            s.found = true;
        } else if (c == '.' && !point) {
            s.mantissa += c;
            point = true;
        } else {
            break;
        }
        ++i;
        s.end = i;
    }
    if (!s.found || i >= n) {
        return s;
    }
    const char e = text[i];
    if (e != 'e' && e != 'E' && e != 'd' && e != 'D') {
        return s;
    }
    // The exponent counts only when at least one digit follows; "1e" is still 1.
    std::size_t j = i + 1;
    auto skipAt = [&] {
        while (skipBlanks && j < n && isNumberBlank(text[j])) {
            ++j;
        }
    };
    skipAt();
    std::string exponent;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
        exponent += text[j];
        ++j;
        skipAt();
    }
    bool expDigits = false;
    std::size_t expEnd = 0;
    for (; j < n && isDigit(text[j]); skipAt()) {
        exponent += text[j];
        expDigits = true;
        ++j;
        expEnd = j;
    }
    if (expDigits) {
        s.exponent = exponent;
        s.end = expEnd;
    }
    return s;
}

// Decimal exponent as a saturated integer, so that absurd exponents cannot overflow.
long long saturatedExponent(const std::string& exponent) {
    long long v = 0;
    bool neg = false;
    for (char c : exponent) {
        if (c == '-') {
            neg = true;
        } else if (isDigit(c)) {
            v = std::min<long long>(v * 10 + (c - '0'), 1'000'000'000LL);
        }
    }
    return neg ? -v : v;
}

double valueOf(const Scanned& s) {
    if (!s.found) {
        return 0.0;
    }
    if (s.radix) {
        if (!std::isfinite(s.radixValue)) {
            throw RuntimeError(kOverflow);
        }
        return s.radixValue;
    }
    std::string text = s.mantissa;
    if (!s.exponent.empty()) {
        const long long e = saturatedExponent(s.exponent);
        text += 'e';
        text += std::to_string(e);
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range either way: decide by the magnitude of the leading significant digit.
        const std::size_t point = s.mantissa.find('.');
        const std::string whole = s.mantissa.substr(0, point);
        const std::size_t firstNonZero = whole.find_first_not_of('0');
        long long magnitude = firstNonZero == std::string::npos
                                  ? -1
                                  : static_cast<long long>(whole.size() - firstNonZero);
        magnitude += saturatedExponent(s.exponent);
        if (magnitude <= 0) {
            return 0.0;
        }
        throw RuntimeError(kOverflow);
    }
    if (!std::isfinite(value)) {
        throw RuntimeError(kOverflow);
    }
    return s.negative ? -value : value;
}

bool isTrimBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

double leadingNumber(std::string_view text) { return valueOf(scanNumber(text, true)); }

double directNumber(std::string_view text) {
    while (!text.empty() && isTrimBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isTrimBlank(text.back())) {
        text.remove_suffix(1);
    }
    const Scanned s = scanNumber(text, false);
    if (!s.found || s.end != text.size()) {
        throw RuntimeError(kTypeMismatch);
    }
    return valueOf(s);
}

std::int16_t toInt16(double value) {
    const double r = std::nearbyint(value);
    if (!std::isfinite(r) || r < -32768.0 || r > 32767.0) {
        throw RuntimeError(kOverflow);
    }
    return static_cast<std::int16_t>(r);
}

std::int32_t toInt32(double value) {
    const double r = std::nearbyint(value);
    if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0) {
        throw RuntimeError(kOverflow);
    }
    return static_cast<std::int32_t>(r);
}

std::string strOf(std::int64_t value) {
    return (value < 0 ? "" : " ") + std::to_string(value);
}

std::string shortestDecimal(double value, LeadingZero zero) {
    if (value == 0.0 || !std::isfinite(value)) {
        return "0";
    }
    char buf[64];
    const auto result =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string text(buf, result.ptr);
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        text[e] = 'E';
    }
    if (zero == LeadingZero::Omit) {
        if (text.rfind("0.", 0) == 0) {
            text.erase(0, 1);
        } else if (text.rfind("-0.", 0) == 0) {
            text.erase(1, 1);
        }
    }
    return text;
}

} // namespace dw::design
