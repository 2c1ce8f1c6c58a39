#include "design/inivalues.h"

#include <array>
#include <cmath>

#include "design/numbertext.h"
#include "design/runtimeerror.h"

namespace dw::design {

namespace {

bool sameWord(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != word[i]) {
            return false;
        }
    }
    return true;
}

constexpr std::array<std::string_view, 6> kDisplayOrders{"hms", "hsm", "mhs", "msh", "shm", "smh"};

} // namespace

std::int16_t checkValueOf(std::string_view text) {
    const std::int16_t value = int16Of(text);
    if (value < 0 || value > 2) {
        throw RuntimeError(kInvalidPropertyValue);
    }
    return value;
}

bool flagValueOf(std::string_view text) {
    return std::nearbyint(leadingNumber(text)) != 0.0;
}

std::int16_t integerValueOf(std::string_view text) {
    return toInt16(directNumber(text));
}

bool booleanValueOf(std::string_view text) {
    const std::string trimmed = trimmedText(text);
    if (sameWord(trimmed, "true")) {
        return true;
    }
    if (sameWord(trimmed, "false")) {
        return false;
    }
    return directNumber(trimmed) != 0.0;
}

std::string booleanText(bool value) {
    return value ? "True" : "False";
}

std::string displayOrderOf(std::string_view text) {
    const std::string_view first = text.substr(0, 3);
    for (std::string_view order : kDisplayOrders) {
        if (first == order) {
            return std::string(order);
        }
    }
    return "shm";
}

std::string pictureNameOf(std::string_view text) {
    return text.size() < 2 ? std::string() : std::string(text);
}

std::string trimmedText(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string reformattedNumberText(std::string_view text) {
    try {
        return shortestDecimal(directNumber(text));
    } catch (const RuntimeError&) {
        return std::string(text);
    }
}

} // namespace dw::design
