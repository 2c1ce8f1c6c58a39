#pragma once
// The text forms of design values in the design file: how a value read from the file becomes a
// field, and how a field is written. Conversions that cannot accept a value throw RuntimeError,
// which stops a design load at that key.
#include <cstdint>
#include <string>
#include <string_view>

namespace dw::design {

// What a check box says when given a value other than 0, 1 or 2.
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";

// A check value: the leading number rounded (halves to even). RuntimeError("Overflow") when it
// does not fit 16 bits, RuntimeError(kInvalidPropertyValue) when it is not 0, 1 or 2.
std::int16_t checkValueOf(std::string_view text);

// A toolbar flag: pressed when the leading number rounds to anything but 0.
// RuntimeError("Overflow") only for a number too large for a double.
bool flagValueOf(std::string_view text);

// A stored integer: the whole text must be one number, rounded (halves to even).
// RuntimeError("Type mismatch") for other text, RuntimeError("Overflow") when it does not fit.
std::int16_t integerValueOf(std::string_view text);

// "True" or "False" in any letter case, or a number (0 false, any other true).
// RuntimeError("Type mismatch") for anything else.
bool booleanValueOf(std::string_view text);
std::string booleanText(bool value); // "True" / "False"

// The drawing order: the first three characters when they are one of the six orders, else "shm".
std::string displayOrderOf(std::string_view text);

// The main picture and the erase background: fewer than two characters mean no picture.
std::string pictureNameOf(std::string_view text);

// The text with blanks (spaces and tabs) removed at both ends.
std::string trimmedText(std::string_view text);

// The "shrd" form: the number the text converts to, in shortest decimal form (".5"). A text that
// is not a number is written as typed, so the save neither stops nor loses it.
std::string reformattedNumberText(std::string_view text);

} // namespace dw::design
