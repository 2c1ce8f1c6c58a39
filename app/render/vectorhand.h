#pragma once
// Four-point vector hands: a kite from the hand's start through a shoulder on each side to its
// tip, filled, outlined or both.
#include <cstdint>
#include <optional>

#include <QPoint>

#include "render/handkind.h"

namespace dw::design {
struct ClockDesign;
class Host;
} // namespace dw::design

namespace dw::render {

class SurfacePainter;

// The settings of one hand's kite, read once at a run start.
struct VectorHandSpec {
    std::int32_t outlineColour = 0;
    std::int32_t fillColour = 0;
    bool outlineOn = false;
    bool fillOn = false;
    bool enabled = false;
    std::int16_t shoulderDistance = 0; // percent of vectorLength, measured from the clock centre
    std::int16_t shoulderAngle = 0;    // degrees either side of the hand's direction
    std::int16_t outlineWidth = 0;     // pixels
    std::int16_t vectorLength = 0;     // pixels: the hand's length percentage of the radius
};

struct VectorHandSpecs {
    VectorHandSpec hour, minute, second;
    const VectorHandSpec& of(HandKind hand) const;
};

// Builds the hour, minute and second specs in that order. A hand switched on with neither fill
// nor outline shows its message through the host and gives nullopt, which ends the run before it
// starts. Throws RuntimeError for a colour text that is not a number or a value past 16 bits.
std::optional<VectorHandSpecs> buildVectorHandSpecs(const design::ClockDesign& design,
                                                    design::Host& host);

// Draws the kite of an enabled spec: the fill first, then the four outline lines over it. The
// shoulders lie at shoulderDistance % of vectorLength from `centre` (not from `start`), at the
// shoulder angle either side of `angleIndex`. Throws RuntimeError("Overflow") past 16 bits.
void drawVectorHand(SurfacePainter& painter, const VectorHandSpec& spec, QPoint start, QPoint tip,
                    int angleIndex, QPoint centre);

} // namespace dw::render
