#pragma once
// Colours of hands and circles as the design states them: three component texts combined into one
// 32-bit value red + 256 x green + 65536 x blue (the platform's 0x00BBGGRR when each is 0 to 255).
#include <cstdint>
#include <string_view>

namespace dw::render {

// Combines three components. Throws RuntimeError("Overflow") when the sum does not fit 32 bits.
std::int32_t colourValue(std::int32_t red, std::int32_t green, std::int32_t blue);

// Each component is the numeric value of its text as a 16-bit integer (halves to even); a text
// without a number counts as 0. Throws RuntimeError("Overflow") past 16 bits.
std::int32_t colourOfNumbers(std::string_view red, std::string_view green, std::string_view blue);

// Each component text is converted directly to a 16-bit integer, so a text that is not a number
// throws RuntimeError("Type mismatch"); past 16 bits RuntimeError("Overflow").
std::int32_t colourOfTexts(std::string_view red, std::string_view green, std::string_view blue);

} // namespace dw::render
