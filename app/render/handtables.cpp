#include "render/handtables.h"

#include <cmath>

#include "design/clockdesign.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"

namespace dw::render {

using design::leadingNumber;
using design::toInt16;

namespace {

void checkRow(int row) {
    if (row < 0 || row >= kHandTableRows) {
        throw design::RuntimeError(kSubscriptOutOfRange);
    }
}

constexpr HourPositions makeHourPositions() {
    HourPositions table{};
    int position = 150;
    for (int hours = 1; hours <= 12; ++hours) {
        table[hours] = static_cast<std::int16_t>(position);
        position -= 30;
        if (position < 1) {
            position = 360;
        }
    }
    return table;
}

// Counting down from twelve o'clock in 6-degree marks; 0 is written as 360 and the count goes on
// from there, so 30 gives 360 and 31 gives 354.
constexpr MinutePositions makeMinutePositions() {
    MinutePositions table{};
    int position = 180;
    for (int minutes = 0; minutes <= 59; ++minutes) {
        table[minutes] = static_cast<std::int16_t>(position);
        position -= 6;
        if (position < 1) {
            position = 360;
        }
    }
    return table;
}

constexpr HourPositions kHourPositions = makeHourPositions();
constexpr MinutePositions kMinutePositions = makeMinutePositions();

QPoint centreOf(const design::ClockDesign& design) {
    return {design.centrex, design.centrey};
}

} // namespace

QPoint pointAt(QPoint centre, double length, double radians) {
    return {toInt16(std::sin(radians) * length + centre.x()),
            toInt16(std::cos(radians) * length + centre.y())};
}

QPoint PointColumn::at(int row) const {
    checkRow(row);
    return {x[static_cast<std::size_t>(row)], y[static_cast<std::size_t>(row)]};
}

void PointColumn::set(int row, QPoint p) {
    checkRow(row);
    x[static_cast<std::size_t>(row)] = static_cast<std::int16_t>(p.x());
    y[static_cast<std::size_t>(row)] = static_cast<std::int16_t>(p.y());
}

int tableRow(int angleIndex) {
    const int row = angleIndex < 0 ? angleIndex + 360 : angleIndex;
    checkRow(row);
    return row;
}

const PointColumn& HandTables::tip(HandKind hand) const {
    return ofHand(hand, hourTip, minuteTip, secondTip);
}

const PointColumn& HandTables::reflection(HandKind hand) const {
    return ofHand(hand, hourReflection, minuteReflection, secondReflection);
}

void HandTables::straightenX(int row, std::int16_t value) {
    checkRow(row);
    const auto r = static_cast<std::size_t>(row);
    for (PointColumn* c : {&secondTip, &minuteTip, &hourTip, &secondReflection, &minuteReflection,
                           &hourReflection}) {
        c->x[r] = value;
    }
}

void HandTables::straightenY(int row, std::int16_t value) {
    checkRow(row);
    const auto r = static_cast<std::size_t>(row);
    for (PointColumn* c : {&secondTip, &minuteTip, &hourTip, &secondReflection, &minuteReflection,
                           &hourReflection}) {
        c->y[r] = value;
    }
}

void computeInnerCircle(HandTables& tables, const design::ClockDesign& design) {
    const std::int16_t radius = design::int16Of(design.innerradius);
    const QPoint centre = centreOf(design);
    for (int i = 0; i < kHandTableRows; ++i) {
        tables.innerCircle.set(i, pointAt(centre, radius, angleRadians(i)));
    }
}

void computeHandTables(HandTables& tables, const design::ClockDesign& design) {
    computeInnerCircle(tables, design);
    const double perCent = leadingNumber(design.radius) / 100;
    const double secondLength = leadingNumber(design.sd) * perCent;
    const double hourLength = leadingNumber(design.hd) * perCent;
    const double minuteLength = leadingNumber(design.md) * perCent;
    const double secondReflectionLength = leadingNumber(design.shrd) * perCent;
    const double minuteReflectionLength = leadingNumber(design.edtMRLen) * perCent;
    // The hour reflection alone is rounded before use.
    const double hourReflectionLength = toInt16(leadingNumber(design.edtHRLen) * perCent);
    const bool straighten = design.ac_straighten == 1;
    const QPoint centre = centreOf(design);

    for (int i = 0; i < kHandTableRows; ++i) {
        const double a = angleRadians(i);
        const double b = angleRadians(i + 180);
        tables.secondTip.set(i, pointAt(centre, secondLength, a));
        tables.secondReflection.set(i, pointAt(centre, secondReflectionLength, b));
        tables.minuteReflection.set(i, pointAt(centre, minuteReflectionLength, b));
        tables.hourReflection.set(i, pointAt(centre, hourReflectionLength, b));
        tables.minuteTip.set(i, pointAt(centre, minuteLength, a));
        tables.hourTip.set(i, pointAt(centre, hourLength, a));
        if (!straighten) {
            continue;
        }
        // The 6.28 constant leaves these directions a fraction of a degree off the axes; the
        // short inner-circle radius rounds back onto the centre line.
        if (i == 0 || i == 180 || i == 360) {
            tables.straightenX(i, tables.innerCircle.x[static_cast<std::size_t>(i)]);
        } else if (i == 270) {
            tables.straightenY(i, tables.innerCircle.y[static_cast<std::size_t>(i)]);
        }
    }
}

const HourPositions& hourPositions() {
    return kHourPositions;
}
const MinutePositions& minutePositions() {
    return kMinutePositions;
}

std::int16_t hourPosition(int hours) {
    if (hours < 0 || hours >= static_cast<int>(kHourPositions.size())) {
        throw design::RuntimeError(kSubscriptOutOfRange);
    }
    return kHourPositions[static_cast<std::size_t>(hours)];
}

std::int16_t minutePosition(int minutes) {
    if (minutes < 0 || minutes >= static_cast<int>(kMinutePositions.size())) {
        throw design::RuntimeError(kSubscriptOutOfRange);
    }
    return kMinutePositions[static_cast<std::size_t>(minutes)];
}

} // namespace dw::render
