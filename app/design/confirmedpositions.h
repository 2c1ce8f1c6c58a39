#pragma once
// Typed positions confirmed into the integers the renderers use: the erase-mode top-left and the
// bitmap-hand top-left. The typed text is read, never validated.
#include <cstdint>
#include <string>

#include "design/clockdesign.h"

namespace dw::design {

// The position label text: "(" x ", " y ")", e.g. "(160, 90)" or "(-10, -4)".
std::string confirmedPositionText(std::int16_t x, std::int16_t y);

// Sets `label` to the position label text.
void displayConfirmedPosition(std::string& label, std::int16_t x, std::int16_t y);

// "Set Top Left" of the erase frame: the erase top-left becomes the integer values of edtX and
// edtY (leading number, halves to even), shown in lblConfirmedXY. RuntimeError("Overflow") when
// a value does not fit 16 bits; nothing changes then.
void cmdSetTopLeft_Click(ClockDesign& design);

// Shows bmptopx, bmptopy in lblConfirmedBMPXY.
void showBitmapTopLeft(ClockDesign& design);

// "Set Top Left" of the bitmap frame: bmptopx, bmptopy become the integer values of edtBMPX and
// edtBMPY, then showBitmapTopLeft. RuntimeError("Overflow") as above.
void cmdBMPcentre_Click(ClockDesign& design);

} // namespace dw::design
