#pragma once
// The frame-drawing step of line and vector hands: the three hands in the design's drawing order,
// each with its reflection, then the inner-radius circle over their inner ends.
#include <cstdint>

#include "render/handgeometry.h"
#include "render/vectorhand.h"

namespace dw::design {
struct ClockDesign;
}

namespace dw::render {

class SurfacePainter;

// What a run fixes for one hand at its start.
struct HandStyle {
    std::int32_t width = 1;  // pixels; the run refuses 0
    std::int32_t colour = 0; // red + 256 x green + 65536 x blue
    VectorHandSpec vector;   // drawn as a kite instead of a line when enabled
};

// The inner-radius circle as a run reads it at its start.
struct InnerCircleStyle {
    bool fill = false;
    std::int32_t fillColour = 0;
    bool outline = false;
    std::int32_t outlineColour = 0;
    std::int32_t outlineWidth = 1;
};

struct LineHandsStyle {
    HandStyle hour, minute, second;
    bool useInnerRadius = false;
    InnerCircleStyle innerCircle;

    const HandStyle& of(HandKind hand) const;
};

// Reads "fillir" and "outlineir" (on when 1) and, only for an option that is on, its colour and
// width. Throws RuntimeError("Overflow") for a value past its 16 or 32 bits.
InnerCircleStyle readInnerCircleStyle(const design::ClockDesign& design);

// Draws one hand at an angle index: its reflection first when the hand's reflection box is 1 at
// this moment, then the hand as a line or a kite, from the centre or from the inner circle.
// Throws RuntimeError for an index outside the tables or a width past 16 bits.
void drawLineHand(SurfacePainter& painter, const HandTables& tables,
                  const design::ClockDesign& design, HandKind hand, std::int32_t angleIndex,
                  const HandStyle& style, bool useInnerRadius);

// Draws the hands in the order of "displayOrder" (h, m, s; any other letter draws nothing at its
// place, later hands over earlier ones), then, with the inner radius in use, the circle of the
// current "innerradius" text: its fill, then its outline. Throws like drawLineHand.
void drawLineHands(SurfacePainter& painter, const HandTables& tables,
                   const design::ClockDesign& design, const LineHandsStyle& style,
                   const HandIndices& indices);

} // namespace dw::render
