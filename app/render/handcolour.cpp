#include "render/handcolour.h"

#include "design/numbertext.h"

namespace dw::render {

std::int32_t colourValue(std::int32_t red, std::int32_t green, std::int32_t blue) {
    const double sum = red + 256.0 * green + 65536.0 * blue; // exact: well inside 53 bits
    return design::toInt32(sum);
}

std::int32_t colourOfNumbers(std::string_view red, std::string_view green, std::string_view blue) {
    return colourValue(design::int16Of(red), design::int16Of(green), design::int16Of(blue));
}

std::int32_t colourOfTexts(std::string_view red, std::string_view green, std::string_view blue) {
    using design::directNumber;
    using design::toInt16;
    return colourValue(toInt16(directNumber(red)), toInt16(directNumber(green)),
                       toInt16(directNumber(blue)));
}

} // namespace dw::render
