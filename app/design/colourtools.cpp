#include "design/colourtools.h"

#include <cstdio>

#include "design/numbertext.h"

namespace dw::design {

namespace {

// The nine hand colour boxes in the order of the bulk edits.
constexpr std::string ClockDesign::*kHandColours[] = {
    &ClockDesign::hred, &ClockDesign::hgreen, &ClockDesign::hblue,
    &ClockDesign::mred, &ClockDesign::mgreen, &ClockDesign::mblue,
    &ClockDesign::sred, &ClockDesign::sgreen, &ClockDesign::sblue,
};

} // namespace

void getColorValues(ClockDesign& design, std::int32_t colr) {
    // Arithmetic shifts are the floor divisions by 256 and 65536 that a negative value needs.
    design.pointred = static_cast<std::int16_t>(colr & 255);
    design.pointgreen = static_cast<std::int16_t>((colr >> 8) & 255);
    design.pointblue = static_cast<std::int16_t>((colr >> 16) & 255);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(static_cast<std::uint32_t>(colr)));
    design.lblColour = "0x" + std::string(hex) + " -> (" + std::to_string(design.pointred) + "," +
                       std::to_string(design.pointgreen) + "," + std::to_string(design.pointblue) +
                       ")";
}

void cmdFromPoint_Click(ClockDesign& design) {
    design.transr = std::to_string(design.pointred);
    design.transg = std::to_string(design.pointgreen);
    design.transb = std::to_string(design.pointblue);
}

void cmdRGBFromPoint_Click(ClockDesign& design) {
    design.bmptransr = std::to_string(design.pointred);
    design.bmptransg = std::to_string(design.pointgreen);
    design.bmptransb = std::to_string(design.pointblue);
}

void setFromPt_Click(ClockDesign& design) {
    const std::string red = std::to_string(design.pointred);
    const std::string green = std::to_string(design.pointgreen);
    const std::string blue = std::to_string(design.pointblue);
    design.hred = design.mred = design.sred = red;
    design.hblue = design.mblue = design.sblue = blue;
    design.hgreen = design.mgreen = design.sgreen = green;
}

void setAll_Click(ClockDesign& design) {
    const std::string value = std::to_string(int16Of(design.setallcolors));
    for (auto box : kHandColours) {
        design.*box = value;
    }
}

void Replace_Click(ClockDesign& design) {
    const std::int16_t from = int16Of(design.replacecolor);
    const std::int16_t to = int16Of(design.replacewith);
    for (auto box : kHandColours) {
        replaceColourValue(design.*box, from, to);
    }
}

void replaceColourValue(std::string& box, std::int16_t from, std::int16_t to) {
    if (leadingNumber(box) == from) {
        box = std::to_string(to);
    }
}

} // namespace dw::design
