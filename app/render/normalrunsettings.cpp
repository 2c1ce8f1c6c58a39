#include "render/normalrunsettings.h"

#include "design/clockdesign.h"
#include "design/numbertext.h"
#include "render/handcolour.h"
#include "render/vectorhand.h"

namespace dw::render {

using design::ClockDesign;

bool readBitmapHands(const ClockDesign& design) {
    return design.chkBitmap == 1;
}

std::int32_t readHandWidth(const ClockDesign& design, HandKind hand) {
    switch (hand) {
    case HandKind::Hour:
        return design::int32Of(design.hw);
    case HandKind::Minute:
        return design::int32Of(design.mw);
    case HandKind::Second:
        break;
    }
    return design::int32Of(design.sw);
}

std::int32_t readHandColour(const ClockDesign& design, HandKind hand) {
    switch (hand) {
    case HandKind::Hour:
        return colourOfNumbers(design.hred, design.hgreen, design.hblue);
    case HandKind::Minute:
        return colourOfNumbers(design.mred, design.mgreen, design.mblue);
    case HandKind::Second:
        break;
    }
    return colourOfNumbers(design.sred, design.sgreen, design.sblue);
}

bool readUseInnerRadius(const ClockDesign& design) {
    return design.useir != 0;
}

std::int32_t readBitmapTransparentColour(const ClockDesign& design) {
    return colourOfTexts(design.bmptransr, design.bmptransg, design.bmptransb);
}

std::optional<NormalRunSettings> readNormalRunSettings(const ClockDesign& design,
                                                       design::Host& host) {
    NormalRunSettings settings;
    settings.bitmapHands = readBitmapHands(design);
    settings.lines.hour.width = readHandWidth(design, HandKind::Hour);
    settings.lines.minute.width = readHandWidth(design, HandKind::Minute);
    settings.lines.second.width = readHandWidth(design, HandKind::Second);
    settings.lines.hour.colour = readHandColour(design, HandKind::Hour);
    settings.lines.minute.colour = readHandColour(design, HandKind::Minute);
    settings.lines.second.colour = readHandColour(design, HandKind::Second);
    settings.lines.useInnerRadius = readUseInnerRadius(design);
    if (settings.bitmapHands) {
        settings.bitmapTransparentColour = readBitmapTransparentColour(design);
        settings.bitmapX = design.bmptopx;
        settings.bitmapY = design.bmptopy;
    }
    settings.lines.innerCircle = readInnerCircleStyle(design);
    const std::optional<VectorHandSpecs> vectors = buildVectorHandSpecs(design, host);
    if (!vectors) {
        return std::nullopt;
    }
    settings.lines.hour.vector = vectors->hour;
    settings.lines.minute.vector = vectors->minute;
    settings.lines.second.vector = vectors->second;
    return settings;
}

} // namespace dw::render
