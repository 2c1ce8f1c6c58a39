#pragma once
// Option values as a user types them, on the command line or in an export's options dialog,
// read and judged one way for both. The reasons are worded to follow the option's name:
// "--columns needs a whole number from 1, not 'x'".
#include <optional>
#include <string>

namespace dw::design {

// A non-negative decimal integer that fits an int; nullopt otherwise.
std::optional<int> parseWholeNumber(const std::string& text);

// A still's scale: a decimal number above 0 and at most 8; nullopt otherwise.
std::optional<double> parseScale(const std::string& text);

// Why `text` is not a whole number of at least `least`; empty when it is one.
std::string wholeNumberProblem(const std::string& text, int least);

// Why `text` is not a scale; empty when it is one.
std::string scaleProblem(const std::string& text);

} // namespace dw::design
