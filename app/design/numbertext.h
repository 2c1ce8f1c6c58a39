#pragma once
// The number module: the only place that turns design text into numbers and numbers back into
// text. Design numbers are kept as the text the user typed and converted at each use.
#include <cstdint>
#include <string>
#include <string_view>

namespace dw::design {

// Leading-number parse of a design text: blanks, tabs and line feeds are skipped wherever they
// stand, then an optional sign, digits with at most one "." and an optional exponent, or a
// prefix &H / &O with hexadecimal / octal digits; parsing stops at the first other character and
// no number gives 0. Throws RuntimeError("Overflow") when the number is too large for a double.
double leadingNumber(std::string_view text);

// Direct conversion: the whole text, blanks trimmed at both ends, must be one number in the
// grammar above (no inner blanks). Throws RuntimeError("Type mismatch") otherwise.
double directNumber(std::string_view text);

// Round to nearest with halves to the even neighbour (2.5 -> 2, 3.5 -> 4) and check the range.
// Throws RuntimeError("Overflow") when the result does not fit or the value is not finite.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// Shorthands for the common "numeric value of the text as an integer".
inline std::int16_t int16Of(std::string_view text) { return toInt16(leadingNumber(text)); }
inline std::int32_t int32Of(std::string_view text) { return toInt32(leadingNumber(text)); }

// A number as decimal text the way the status panels show it: a leading blank when it is not
// negative (" 5", "-5").
std::string strOf(std::int64_t value);

enum class LeadingZero { Omit, Keep };

// Shortest decimal form with at most 15 significant digits, "." as the decimal point and no
// blanks. Below 1 the zero before the point is dropped (".5") unless asked to keep it ("0.5").
std::string shortestDecimal(double value, LeadingZero zero = LeadingZero::Omit);

// True for the characters the leading-number parse skips.
constexpr bool isNumberBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

} // namespace dw::design
