#pragma once
// The digital read-out's text line: which items it shows in which colours, where each one lands
// in the chosen font, and drawing them on a picture. Items sit on one line, each starting where
// the previous one's advance ends; a hidden separator keeps its space.
#include <cstdint>
#include <string>
#include <vector>

#include <QFont>

#include "run/digitaltime.h"

namespace dw::design {
struct ClockDesign;
class Picture;
} // namespace dw::design

namespace dw::run {

// What a run fixes at its start about the read-out's look. Colours are red + 256 x green +
// 65536 x blue; only their low three bytes count when drawn.
struct ReadoutStyle {
    HourMode hourMode = HourMode::TwentyFour;
    bool secondsOnly = false;
    bool ampmAfter = true; // the AM/PM marker after the seconds, else before the hours
    bool flash = false;    // separators may be hidden
    std::int32_t hourColour = 0;
    std::int32_t minuteColour = 0;
    std::int32_t secondColour = 0;
    std::int32_t separatorColour = 0;
};

// The fixed texts of the read-out, taken as typed.
struct ReadoutTexts {
    std::string head, hourSep, minSep, tail, am, pm;
};

// The fixed texts as the design holds them now; a run reads them for every frame.
ReadoutTexts readoutTexts(const design::ClockDesign& design);

struct ReadoutItem {
    std::string text;
    std::int32_t colour = 0;
    bool drawn = true; // false: a hidden separator, whose space stays empty

    bool operator==(const ReadoutItem&) const = default;
};

// The items of one read-out in their order: the seconds alone, or head, [marker], hours,
// separator, minutes, separator, seconds, [marker], tail, with the marker only in 12-hour mode
// and on the side the style names. Separators are not drawn when flashing and hidden.
std::vector<ReadoutItem> readoutItems(const ReadoutStyle& style, const ReadoutTexts& texts,
                                      const DigitalNumbers& numbers, bool isAM, bool separatorsOn);

// The read-out's font: `points` at 96 dots per inch, so 8 points are 11 pixels (at least 1).
// Text is drawn with hard pixels, never antialiased, and without kerning, so that every item
// starts where the previous one's advance ends. An unknown family falls back to Qt's choice.
QFont readoutFont(const std::string& family, std::int16_t points, bool bold, bool italic);

struct PlacedItem {
    ReadoutItem item;
    std::int16_t x = 0; // left edge
};

struct ReadoutLayout {
    std::vector<PlacedItem> items;
    std::int16_t width = 0;  // the x after the last item
    std::int16_t height = 0; // the line height of "Z", ascent + descent
};

// Places the items from x = `left`, each advancing x by its width as a 16-bit integer (halves
// to even). Throws RuntimeError("Overflow") when an x does not fit 16 bits.
ReadoutLayout layoutReadout(const QFont& font, std::int16_t left,
                            const std::vector<ReadoutItem>& items);

// Lays the items out from (left, top) and, unless `measureOnly`, draws every item that is drawn
// with its top-left at its place (baseline at top + ascent) on a transparent background.
// Returns the layout; throws as layoutReadout, before anything is drawn.
ReadoutLayout drawDigitalTime(design::Picture& picture, const QFont& font, std::int16_t left,
                              std::int16_t top, const std::vector<ReadoutItem>& items,
                              bool measureOnly);

} // namespace dw::run
