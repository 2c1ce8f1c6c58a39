#pragma once
// Setting the three positions of a design from typed text or from picture sizes: the clock
// centre, the top-left of the bitmap hands on the face and the top-left of the face on the
// erase-mode background. Integer values of text are leading numbers rounded halves to even.
#include <cstdint>

namespace dw::design {
struct ClockDesign;
class PictureSlots;
} // namespace dw::design

namespace dw::render {

class HandGeometry;

// Confirms a centre: Label1 shows it, txtLeft and txtTop take it as text, centrex and centrey
// become it, and the hand tables are recomputed. RuntimeError("Overflow") from the tables (a
// radius or point past 16 bits) after the centre is set.
void confirmCentre(design::ClockDesign& design, HandGeometry& geometry, std::int16_t x,
                   std::int16_t y);

// Confirms the centre already held, then recomputes the tables and the inner circle (after an
// opening, a load or a centring). Throws like confirmCentre.
void refreshCentre(design::ClockDesign& design, HandGeometry& geometry);

// "Set centre": confirms the integer values of txtLeft and txtTop. RuntimeError("Overflow")
// when either does not fit 16 bits; the centre is then unchanged.
void cmdSet_Click(design::ClockDesign& design, HandGeometry& geometry);

// "Auto Centre": the middle of the main picture, confirmed and refreshed. Nothing without a
// main picture. Throws like confirmCentre.
void cmdAutoCenter_Click(design::ClockDesign& design, HandGeometry& geometry,
                         const design::PictureSlots& pictures);

// "Auto Centre" of the bitmap frame: bmptopx, bmptopy centre the hour bitmap on the main picture
// and lblConfirmedBMPXY shows them. Needs the four hand bitmaps (else the critical message of
// the first missing) and the main picture (else nothing). Returns whether it set them.
bool cmdBMPautocentre_Click(design::ClockDesign& design, design::PictureSlots& pictures);

// "Auto Centre" of the erase frame: the erase top-left centres the main picture on the erase
// background, shown in lblConfirmedXY (negative when the background is smaller). Nothing
// unless both are loaded. Returns whether it set it.
bool cmdAutoCenterBox_Click(design::ClockDesign& design, const design::PictureSlots& pictures);

} // namespace dw::render
