#pragma once
// The key-writing steps of a design save.
#include <string>

#include "design/clockdesign.h"
#include "design/inifile.h"
#include "design/inikeys.h"

namespace dw::design {

class ToolbarButtons;

// The text `entry` is written as, taken from the design (flags from the toolbar). Never fails;
// a "shrd" text that is not a number is written as typed.
std::string iniValueText(const IniKey& entry, const ClockDesign& design,
                         const ToolbarButtons& toolbar);

// Writes the 136 keys in table order, "version" = "0.9" first, keeping every other line of the
// file. The keys are saved together: false when the file cannot be written (read-only, full
// disk), and then nothing at all has been written.
bool writeDesign(IniFile& file, const ClockDesign& design, const ToolbarButtons& toolbar);

} // namespace dw::design
