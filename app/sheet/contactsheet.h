#pragma once
// A contact sheet: the first frame of a run from each of a list of clock times, drawn by the
// same run and frame code as an export's first frame, laid out in a grid with each time written
// under its still. A time the design refuses shows the refusal in its cell.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QImage>

#include "sheet/clocktimes.h"

namespace dw::design {
class HostTap;
}
namespace dw::run {
class DesignerSession;
}

namespace dw::sheet {

struct SheetOptions {
    std::vector<ClockTime> times; // empty: the hard moments of the design's start time
    int columns = 0;              // 0: as near a square as the count allows
    double scale = 1.0;           // of each still, above 0
};

struct SheetCell {
    ClockTime time;
    QImage still;        // null when refused
    std::string refusal; // the run's message(s), or why no frame came
};

struct SheetOutcome {
    QImage sheet; // null when no cell could be drawn
    std::vector<SheetCell> cells;
    std::string error; // why there is no sheet; empty when there is one
};

// The message of the Save AVI command while a run is going; sheets and plots refuse with it.
inline constexpr const char* kClockRunning = "Clock is running! Press the stop test button first.";

// Called after each still with the number done and the number to do.
using SheetProgress = std::function<void(int done, int total)>;

// The stills of `options` from the session's design, its start time left as it was afterwards.
// `tap` must be the session's host: the runs' messages are kept for their cells instead of being
// shown. While a run is going the sheet is refused with kClockRunning as its error.
SheetOutcome makeContactSheet(run::DesignerSession& session, design::HostTap& tap,
                              const SheetOptions& options, const SheetProgress& progress = {});

// The grid of cells: stills scaled by `scale`, `columns` a row (0: near square), every time
// under its still in DejaVu Sans. A null image when there are no cells.
QImage drawSheet(const std::vector<SheetCell>& cells, int columns, double scale);

} // namespace dw::sheet
