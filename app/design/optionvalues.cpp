#include "design/optionvalues.h"

#include <charconv>

namespace dw::design {

std::optional<int> parseWholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> parseScale(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !(value > 0) || value > 8) {
        return std::nullopt;
    }
    return value;
}

std::string wholeNumberProblem(const std::string& text, int least) {
    const auto value = parseWholeNumber(text);
    if (value && *value >= least) {
        return {};
    }
    return "needs a whole number from " + std::to_string(least) + ", not '" + text + "'";
}

std::string scaleProblem(const std::string& text) {
    if (parseScale(text)) {
        return {};
    }
    return "needs a number above 0 and at most 8, not '" + text + "'";
}

} // namespace dw::design
