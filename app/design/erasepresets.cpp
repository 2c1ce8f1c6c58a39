#include "design/erasepresets.h"

namespace dw::design {

namespace {

struct Preset {
    std::string ClockDesign::*field;
    const char* erase;
    const char* normal;
};

constexpr Preset kPresets[] = {
    {&ClockDesign::times, "0", "30"},        {&ClockDesign::radius, "85", "64"},
    {&ClockDesign::innerradius, "60", "10"}, {&ClockDesign::sw, "10", "2"},
    {&ClockDesign::sred, "29", "255"},       {&ClockDesign::sgreen, "7", "255"},
    {&ClockDesign::sblue, "141", "255"},
};

} // namespace

void applyErasePresets(ClockDesign& design) {
    const bool erase = design.erase == 1;
    for (const Preset& preset : kPresets) {
        design.*preset.field = erase ? preset.erase : preset.normal;
    }
}

} // namespace dw::design
