#pragma once
// The settings a normal-mode run reads once at its start and draws every frame with. Each piece
// can be read on its own, so that a run start can put its own checks and messages between them.
#include <cstdint>
#include <optional>

#include "render/handkind.h"
#include "render/linehands.h"

namespace dw::design {
struct ClockDesign;
class Host;
} // namespace dw::design

namespace dw::render {

struct NormalRunSettings {
    bool bitmapHands = false; // "chkBitmap" is 1: rotated bitmaps instead of lines
    LineHandsStyle lines;     // widths, colours, kites and the inner circle (line mode)
    std::int32_t bitmapTransparentColour = 0;
    std::int16_t bitmapX = 0, bitmapY = 0; // where the turned hand pictures are laid
};

// "chkBitmap" is 1.
bool readBitmapHands(const design::ClockDesign& design);

// A hand's width: the numeric value of "hw", "mw" or "sw" as a 32-bit integer (halves to even).
// 0 is returned as it is, for the run start to refuse. Throws RuntimeError("Overflow").
std::int32_t readHandWidth(const design::ClockDesign& design, HandKind hand);

// A hand's colour from the numeric values of its three boxes. Throws RuntimeError("Overflow").
std::int32_t readHandColour(const design::ClockDesign& design, HandKind hand);

// "useir" is not 0.
bool readUseInnerRadius(const design::ClockDesign& design);

// The bitmap transparent colour, each box converted directly: a box that is not a number throws
// RuntimeError("Type mismatch"), one past 16 bits RuntimeError("Overflow").
std::int32_t readBitmapTransparentColour(const design::ClockDesign& design);

// Every setting in the order a run start reads them: bitmap mode, widths, colours, inner radius,
// bitmap colour and position (bitmap mode only), inner circle, kites. Widths of 0 are not
// checked here. nullopt after the message of a kite with neither fill nor outline; throws
// RuntimeError where a piece does.
std::optional<NormalRunSettings> readNormalRunSettings(const design::ClockDesign& design,
                                                       design::Host& host);

} // namespace dw::render
