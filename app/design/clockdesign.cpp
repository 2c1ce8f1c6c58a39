#include "design/clockdesign.h"

#include "design/toolbarbuttons.h"

namespace dw::design {

void resetDesign(ClockDesign& design, ToolbarButtons& toolbar) {
    design.centrex = 160;
    design.centrey = 90;
    design.radius = "64";
    design.jitterOffsets = {0, 2, -2, -2, 2, 0};
    design.erase = 0;
    design.chkBitmap = 0;
    for (std::string_view key : ToolbarButtons::kKeys) {
        toolbar.setToolbarButton(key, 0);
    }
}

void applyVersion09Defaults(ClockDesign& design) {
    design.fillirr = "255";
    design.fillirg = "255";
    design.fillirb = "255";
    design.outlineirr = "255";
    design.outlineirg = "255";
    design.outlineirb = "255";
    design.outlineirw = "1";
    design.ctr = "255";
    design.ctg = "255";
    design.ctb = "255";
    design.chkhhr = 0;
    design.edtHRLen = "40";
    design.chkmhr = 0;
    design.edtMRLen = "40";
}

} // namespace dw::design
