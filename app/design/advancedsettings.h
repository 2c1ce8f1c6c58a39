#pragma once
// The operations of the advanced settings window on the design: defaults of the vector hands and
// the digital read-out, the read-out position, the font, and the colour-from-point buttons. The
// window shows no messages of its own; values are used as typed.
#include <cstdint>
#include <optional>
#include <string>

#include "design/clockdesign.h"

namespace dw::design {

class Host;

// A text field of the design, as the colour buttons address their target boxes.
using TextField = std::string ClockDesign::*;

// The vector-hand start values: the six colour triples "255", widths "1", the nine checks off
// (setAll 0), then the shoulder distances and angles. Never fails.
void vectorDefaults(ClockDesign& design);

// The digital start values: straighten and flash off, no font (size 8, plain), separators ":",
// switches on except "Seconds only" and "0 extend s.o.", markers "am"/"pm", the typed position
// emptied and confirmed (0, 0), separator colour "255". Never fails.
void otherDefaults(ClockDesign& design);

// Sets the nine vector-hand checks (enable, fill, outline of each hand) to `value`.
void setAll(ClockDesign& design, std::int16_t value);

// Confirms the typed read-out position: nDigitalLeft, nDigitalTop become the integer values of
// edtLeft, edtTop and the label shows them. RuntimeError("Overflow") when one does not fit 16 bits.
void setPos(ClockDesign& design);

// Stores the font and refreshes its label.
void setfont(ClockDesign& design, const std::string& szFont, std::int16_t nSize, bool bBold,
             bool bItalic);

// The font label: name, ", ", size, then ", bold" and ", italic" as chosen.
void setFontLabel(ClockDesign& design);

// Writes the picked colour (pointred, pointgreen, pointblue) as decimal text into three fields.
void copyPointColour(ClockDesign& design, TextField red, TextField green, TextField blue);

// "Colour From Point" of each vector-hand colour and of the separators.
void cmdHFill_Click(ClockDesign& design);
void cmdHOL_Click(ClockDesign& design);
void cmdMFill_Click(ClockDesign& design);
void cmdMOL_Click(ClockDesign& design);
void cmdSFill_Click(ClockDesign& design);
void cmdSOL_Click(ClockDesign& design);
void cmdSeps_Click(ClockDesign& design);
// "Set HMS Colours From Point": all six vector-hand colours.
void cmdSetAll_Click(ClockDesign& design);
// "Enable All", "Enable None".
void cmdAll_Click(ClockDesign& design);
void cmdNone_Click(ClockDesign& design);
// The two "Restore Defaults" buttons.
void cmdDefaults_Click(ClockDesign& design);
void cmdDigitalDefault_Click(ClockDesign& design);
// "Set Top Left": setPos.
void cmdSetPos_Click(ClockDesign& design);

// "Set Display Order": the selected list entry becomes the drawing order; no selection, no change.
void cmdOrder_Click(ClockDesign& design, const std::optional<std::string>& selectedEntry);

// "Show fonts": asks the host's font dialog; a chosen font is stored with its size rounded
// (halves to even). A cancelled dialog, a blank name or a size that does not fit changes nothing
// and shows nothing.
void cmdGetFont_Click(ClockDesign& design, Host& host);

} // namespace dw::design
