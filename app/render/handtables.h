#pragma once
// Angle indices and the position tables the line renderers look hand points up in. An angle
// index is a whole-degree direction counted from six o'clock, growing anticlockwise on screen:
// 180 is twelve o'clock, 90 three o'clock, 360 (or 0) six o'clock.
#include <array>
#include <cstdint>

#include <QPoint>

#include "render/handkind.h"

namespace dw::design {
struct ClockDesign;
}

namespace dw::render {

// The description of a look-up outside a table.
inline constexpr const char* kSubscriptOutOfRange = "Subscript out of range";

// Two turns plus one, so that an index plus 180 and the overshoot of jitter stay inside.
inline constexpr int kHandTableRows = 721;

// The direction of an angle index in radians. The constant is 6.28, not 2 pi, and the product
// is taken before the division; the hand geometry (and straightening) depends on both.
inline double angleRadians(int index) {
    return index * 6.28 / 360;
}

// The point at `length` from the centre in direction `radians`, each coordinate rounded to a
// 16-bit integer with halves to even. Throws RuntimeError("Overflow") when it does not fit.
QPoint pointAt(QPoint centre, double length, double radians);

// One x column and one y column of a table.
struct PointColumn {
    std::array<std::int16_t, kHandTableRows> x{};
    std::array<std::int16_t, kHandTableRows> y{};

    // The point of a row; throws RuntimeError("Subscript out of range") outside 0 to 720.
    QPoint at(int row) const;
    void set(int row, QPoint p);
};

// The row an angle index reads. A run that combines smooth seconds with jitter can wobble the
// second hand one degree below 0; that is the same direction one turn on, row index + 360.
// Throws RuntimeError("Subscript out of range") for an index no table row stands for.
int tableRow(int angleIndex);

// The row of the opposite direction, used for a reflection's start on the inner circle.
inline int oppositeRow(int row) {
    return row < 180 ? row + 180 : row - 180;
}

// Tip, reflection and inner-circle points per angle index, computed from the design before a run.
struct HandTables {
    PointColumn secondTip, minuteTip, hourTip;
    PointColumn secondReflection, minuteReflection, hourReflection;
    PointColumn innerCircle;

    const PointColumn& tip(HandKind hand) const;
    const PointColumn& reflection(HandKind hand) const;

    // Set the x (or y) of the six tip and reflection columns of one row.
    void straightenX(int row, std::int16_t x);
    void straightenY(int row, std::int16_t y);
};

// Fills the inner-circle columns from "innerradius" (rounded to 16 bits) and the centre.
// Throws RuntimeError("Overflow") when the radius or a point does not fit 16 bits.
void computeInnerCircle(HandTables& tables, const design::ClockDesign& design);

// Fills every column: the inner circle, then the tips and reflections from "radius" and the
// length percentages, straightened when "ac_straighten" is 1. Throws like computeInnerCircle.
void computeHandTables(HandTables& tables, const design::ClockDesign& design);

// The index of the hour hand on the hour (hours 1 to 12; entry 0 is never read) and of the
// minute or second hand on a mark (0 to 59; entry 60 is never read).
using HourPositions = std::array<std::int16_t, 13>;
using MinutePositions = std::array<std::int16_t, 61>;
const HourPositions& hourPositions();
const MinutePositions& minutePositions();

// Checked look-ups; throw RuntimeError("Subscript out of range") outside the arrays.
std::int16_t hourPosition(int hours);
std::int16_t minutePosition(int minutes);

} // namespace dw::render
