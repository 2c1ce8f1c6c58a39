#include "design/confirmedpositions.h"

#include "design/numbertext.h"

namespace dw::design {

std::string confirmedPositionText(std::int16_t x, std::int16_t y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

void displayConfirmedPosition(std::string& label, std::int16_t x, std::int16_t y) {
    label = confirmedPositionText(x, y);
}

void cmdSetTopLeft_Click(ClockDesign& design) {
    // Both converted before either is stored, so an overflow leaves the old position.
    const std::int16_t x = int16Of(design.edtX);
    const std::int16_t y = int16Of(design.edtY);
    design.eraseTopLeftX = x;
    design.eraseTopLeftY = y;
    displayConfirmedPosition(design.lblConfirmedXY, x, y);
}

void showBitmapTopLeft(ClockDesign& design) {
    displayConfirmedPosition(design.lblConfirmedBMPXY, design.bmptopx, design.bmptopy);
}

void cmdBMPcentre_Click(ClockDesign& design) {
    const std::int16_t x = int16Of(design.edtBMPX);
    const std::int16_t y = int16Of(design.edtBMPY);
    design.bmptopx = x;
    design.bmptopy = y;
    showBitmapTopLeft(design);
}

} // namespace dw::design
