#include "render/linehands.h"

#include <string_view>

#include "design/clockdesign.h"
#include "design/numbertext.h"
#include "render/handcolour.h"
#include "render/surfacepainter.h"

namespace dw::render {

using design::ClockDesign;

namespace {

// Read on every frame, so that ticking a box during a run shows on the next frame.
bool reflectionOn(const ClockDesign& design, HandKind hand) {
    switch (hand) {
    case HandKind::Hour:
        return design.chkhhr == 1;
    case HandKind::Minute:
        return design.chkmhr == 1;
    case HandKind::Second:
        break;
    }
    return design.secondreflection == 1;
}

void drawInnerCircle(SurfacePainter& painter, const ClockDesign& design,
                     const InnerCircleStyle& circle) {
    const QPointF centre(design.centrex, design.centrey);
    const double radius = design::leadingNumber(design.innerradius);
    if (circle.fill) {
        painter.setPenWidth(1);
        painter.drawCircle(centre, radius, circle.fillColour, circle.fillColour);
    }
    if (circle.outline) {
        painter.setPenWidth(design::toInt16(circle.outlineWidth));
        painter.drawCircle(centre, radius, circle.outlineColour);
    }
}

} // namespace

const HandStyle& LineHandsStyle::of(HandKind hand) const {
    return ofHand(hand, hour, minute, second);
}

InnerCircleStyle readInnerCircleStyle(const ClockDesign& design) {
    InnerCircleStyle circle;
    circle.fill = design.fillir == 1;
    if (circle.fill) {
        circle.fillColour = colourOfNumbers(design.fillirr, design.fillirg, design.fillirb);
    }
    circle.outline = design.outlineir == 1;
    if (circle.outline) {
        circle.outlineColour =
            colourOfNumbers(design.outlineirr, design.outlineirg, design.outlineirb);
        circle.outlineWidth = design::int32Of(design.outlineirw);
    }
    return circle;
}

void drawLineHand(SurfacePainter& painter, const HandTables& tables, const ClockDesign& design,
                  HandKind hand, std::int32_t angleIndex, const HandStyle& style,
                  bool useInnerRadius) {
    const int row = tableRow(angleIndex);
    const QPoint centre(design.centrex, design.centrey);
    painter.setPenWidth(design::toInt16(style.width));
    if (reflectionOn(design, hand)) {
        // From the inner circle on the far side, through the centre, to the reflection's end.
        const QPoint from = useInnerRadius ? tables.innerCircle.at(oppositeRow(row)) : centre;
        painter.drawLine(from, tables.reflection(hand).at(row), style.colour);
    }
    const QPoint start = useInnerRadius ? tables.innerCircle.at(row) : centre;
    const QPoint tip = tables.tip(hand).at(row);
    if (style.vector.enabled) {
        drawVectorHand(painter, style.vector, start, tip, angleIndex, centre);
    } else {
        painter.drawLine(start, tip, style.colour);
    }
}

void drawLineHands(SurfacePainter& painter, const HandTables& tables, const ClockDesign& design,
                   const LineHandsStyle& style, const HandIndices& indices) {
    const std::string_view order = design.displayOrder;
    for (std::size_t k = 0; k < 3 && k < order.size(); ++k) {
        switch (order[k]) {
        case 's':
            drawLineHand(painter, tables, design, HandKind::Second, indices.second, style.second,
                         style.useInnerRadius);
            break;
        case 'm':
            drawLineHand(painter, tables, design, HandKind::Minute, indices.minute, style.minute,
                         style.useInnerRadius);
            break;
        case 'h':
            drawLineHand(painter, tables, design, HandKind::Hour, indices.hour, style.hour,
                         style.useInnerRadius);
            break;
        default:
            break;
        }
    }
    if (style.useInnerRadius) {
        drawInnerCircle(painter, design, style.innerCircle);
    }
}

} // namespace dw::render
