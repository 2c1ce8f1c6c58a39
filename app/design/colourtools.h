#pragma once
// The colour picker and the bulk edits of the hand colour boxes. They rewrite text boxes only;
// components are copied unchanged, with no clamping to 0..255.
#include <cstdint>
#include <string>

#include "design/clockdesign.h"

namespace dw::design {

// Takes a picked colour value (0x00BBGGRR, -1 for a point outside any pixel) apart into
// pointred, pointgreen, pointblue and sets lblColour to "0x" + upper-case hex of its 32-bit
// pattern + " -> (r,g,b)". Never fails.
void getColorValues(ClockDesign& design, std::int32_t colr);

// "Set Erase Transparency Colour From Point": transr, transg, transb take the picked colour.
void cmdFromPoint_Click(ClockDesign& design);

// "Set Bitmap Transparency Colour From Point": bmptransr, bmptransg, bmptransb.
void cmdRGBFromPoint_Click(ClockDesign& design);

// "Set HMS Colours From Point": the three red boxes, then the three blue, then the three green.
void setFromPt_Click(ClockDesign& design);

// "Set all HMS colours": the integer value of setallcolors (halves to even) into the nine hand
// boxes. RuntimeError("Overflow") when it does not fit 16 bits; nothing changes then.
void setAll_Click(ClockDesign& design);

// "Replace HMS Colour": every hand box whose leading number equals the integer value of
// replacecolor gets the integer value of replacewith. RuntimeError("Overflow") as above, or from
// a box holding a number too large for a double, which stops the replacing at that box.
void Replace_Click(ClockDesign& design);

// Sets `box` to `to` as decimal text when its leading number is exactly `from`.
// RuntimeError("Overflow") when the box holds a number too large for a double.
void replaceColourValue(std::string& box, std::int16_t from, std::int16_t to);

} // namespace dw::design
