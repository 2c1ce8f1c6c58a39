#include "render/vectorhand.h"

#include <array>
#include <string>

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/numbertext.h"
#include "render/handcolour.h"
#include "render/handtables.h"
#include "render/surfacepainter.h"

namespace dw::render {

using design::ClockDesign;

namespace {

using Text = std::string ClockDesign::*;
using Check = std::int16_t ClockDesign::*;

// Where each hand's kite settings live in the design.
struct VectorFields {
    const char* handName;
    Check enabled, fill, outline;
    Text fillR, fillG, fillB, outR, outG, outB;
    Text shoulderDistance, shoulderAngle, outlineWidth, lengthPercent;
};

using C = ClockDesign;
// clang-format off
constexpr VectorFields kHourFields{"hour", &C::ac_chkhours, &C::ac_chkhfill, &C::ac_chkhoutline,
    &C::ac_fpvh_fillR, &C::ac_fpvh_fillG, &C::ac_fpvh_fillB,
    &C::ac_fpvh_outR, &C::ac_fpvh_outG, &C::ac_fpvh_outB,
    &C::ac_hhc, &C::ac_hpd, &C::ac_fpvh_HW, &C::hd};
constexpr VectorFields kMinuteFields{"minute", &C::ac_chkminutes, &C::ac_chkmfill, &C::ac_chkmoutline,
    &C::ac_fpvm_fillR, &C::ac_fpvm_fillG, &C::ac_fpvm_fillB,
    &C::ac_fpvm_outR, &C::ac_fpvm_outG, &C::ac_fpvm_outB,
    &C::ac_mhc, &C::ac_mpd, &C::ac_fpvm_HW, &C::md};
constexpr VectorFields kSecondFields{"second", &C::ac_chkseconds, &C::ac_chksfill, &C::ac_chksoutline,
    &C::ac_fpvs_fillR, &C::ac_fpvs_fillG, &C::ac_fpvs_fillB,
    &C::ac_fpvs_outR, &C::ac_fpvs_outG, &C::ac_fpvs_outB,
    &C::ac_shc, &C::ac_spd, &C::ac_fpvs_HW, &C::sd};
// clang-format on

// One hand's spec; nullopt after the message when it has nothing to draw.
std::optional<VectorHandSpec> buildSpec(const VectorFields& f, const ClockDesign& design,
                                        std::int16_t radius, design::Host& host) {
    VectorHandSpec spec;
    if (design.*f.enabled != 1) {
        return spec;
    }
    spec.enabled = true;
    spec.fillColour = colourOfTexts(design.*f.fillR, design.*f.fillG, design.*f.fillB);
    spec.outlineColour = colourOfTexts(design.*f.outR, design.*f.outG, design.*f.outB);
    if (design.*f.fill == 0 && design.*f.outline == 0) {
        host.showMessage(std::string("4 point vectoring for the ") + f.handName +
                             " hand is enabled but neither fill or outlined are enabled",
                         design::MessageIcon::Information);
        return std::nullopt;
    }
    spec.fillOn = design.*f.fill == 1;
    spec.outlineOn = design.*f.outline == 1;
    spec.vectorLength =
        design::toInt16(radius / 100.0 * design::leadingNumber(design.*f.lengthPercent));
    spec.shoulderDistance = design::int16Of(design.*f.shoulderDistance);
    spec.shoulderAngle = design::int16Of(design.*f.shoulderAngle);
    spec.outlineWidth = design::int16Of(design.*f.outlineWidth);
    return spec;
}

} // namespace

const VectorHandSpec& VectorHandSpecs::of(HandKind hand) const {
    return ofHand(hand, hour, minute, second);
}

std::optional<VectorHandSpecs> buildVectorHandSpecs(const ClockDesign& design, design::Host& host) {
    const std::int16_t radius = design::int16Of(design.radius);
    VectorHandSpecs specs;
    const std::array<std::pair<const VectorFields*, VectorHandSpec*>, 3> hands{
        {{&kHourFields, &specs.hour},
         {&kMinuteFields, &specs.minute},
         {&kSecondFields, &specs.second}}};
    for (const auto& [fields, spec] : hands) {
        std::optional<VectorHandSpec> built = buildSpec(*fields, design, radius, host);
        if (!built) {
            return std::nullopt;
        }
        *spec = *built;
    }
    return specs;
}

void drawVectorHand(SurfacePainter& painter, const VectorHandSpec& spec, QPoint start, QPoint tip,
                    int angleIndex, QPoint centre) {
    const double distance = design::toInt16(spec.vectorLength / 100.0 * spec.shoulderDistance);
    const QPoint p1 = pointAt(centre, distance, angleRadians(angleIndex - spec.shoulderAngle));
    const QPoint p2 = pointAt(centre, distance, angleRadians(angleIndex + spec.shoulderAngle));
    if (spec.fillOn) {
        // Two sides are walked three times and two once; under the even-odd rule the doubled
        // walks cancel and the quadrilateral start, p2, tip, p1 is what fills.
        const std::array<QPoint, 8> polygon{start, p2, tip, p2, tip, p1, start, p1};
        painter.fillPolygon(polygon, spec.fillColour);
    }
    if (spec.outlineOn) {
        painter.setPenWidth(spec.outlineWidth);
        painter.drawLine(start, p1, spec.outlineColour);
        painter.drawLine(start, p2, spec.outlineColour);
        painter.drawLine(tip, p1, spec.outlineColour);
        painter.drawLine(tip, p2, spec.outlineColour);
    }
}

} // namespace dw::render
