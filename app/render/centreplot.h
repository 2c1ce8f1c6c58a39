#pragma once
// The visual check of a centre: the centre pixel and the circles that the second-hand tip and the
// inner radius will trace, dotted onto the main picture, first every sixth row then every row.
namespace dw::design {
struct ClockDesign;
class Host;
class PictureSlots;
class PictureWindowModel;
} // namespace dw::design

namespace dw::render {

class HandGeometry;

// The colour of the plot, white as 0x00BBGGRR.
inline constexpr int kPlotColour = 0xFFFFFF;

// Wipes the window's Picture1 back to its clean copy, recomputes the tables, marks the centre
// and rows 0, 6, ... 360, says "Step 6"; wipes again, marks the centre and rows 0 to 360, says
// "Step 1" (both messages without an icon). A mark is one pixel. RuntimeError("Overflow") from
// the tables, before anything is drawn.
void plotCentrePoints(design::PictureWindowModel& window, HandGeometry& geometry,
                      const design::ClockDesign& design, design::Host& host);

// "Plot Centre": "Save in progress" (information) while an export is saving; nothing without a
// main picture; otherwise plotCentrePoints on the main picture window. Throws like it.
void plotCentre(const design::PictureSlots& pictures, HandGeometry& geometry,
                const design::ClockDesign& design, design::Host& host, bool saving);

} // namespace dw::render
