#pragma once
// The presets the erase-mode check box writes when it is clicked: a wide sweep line in a dark
// colour for erase mode, the ordinary second hand when it is cleared.
#include "design/clockdesign.h"

namespace dw::design {

// Writes the erase-mode presets into times, radius, innerradius, sw, sred, sgreen and sblue when
// `erase` is ticked (1), the normal-mode presets otherwise. Never fails.
void applyErasePresets(ClockDesign& design);

} // namespace dw::design
