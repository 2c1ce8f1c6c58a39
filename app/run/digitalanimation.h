#pragma once
// The digital-mode run: each frame restores the clean face and writes the time on it, for the
// design's duration at its frame rate, shown on screen and optionally exported. The same run,
// measuring only, lays the read-out out once at (0, 0) and reports its size.
#include <cstdint>

#include "run/runoutput.h"

namespace dw::run {

class DesignerSession;

// The read-out size the last pass stored: the x after its last item and the line height.
struct ReadoutSize {
    std::int16_t width = 0;
    std::int16_t height = 0;
};

// Runs the digital clock for `session`. `output.framesPerSecond` is overwritten with the
// design's frame rate. Refusals are shown as messages and start nothing; a run-time error (a
// value that does not fit, a writer that fails, the main picture unloaded during a yield) ends
// the run through its closing steps without a message, its description kept in the run state's
// runError. `size` is zeroed first and holds the size of the last read-out laid out.
//
// A measuring pass (`measureOnly`) never changes the run flags, and while another run is active
// it leaves the main picture alone too, so it cannot stop or spoil that run.
//
// `refusals` Silent keeps the refusal messages of a pass to itself: the rectangle positioner
// measures on every mouse move, and a message box per move would trap the pointer.
enum class Refusals { Shown, Silent };
void runDigitalAnimation(DesignerSession& session, RunOutput& output, bool measureOnly,
                         ReadoutSize& size, Refusals refusals = Refusals::Shown);

} // namespace dw::run
