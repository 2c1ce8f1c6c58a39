#pragma once
// A still of the design as its run's first frame would show it, for the design window's live
// preview: drawn into the render window and nowhere else, so the main picture keeps whatever the
// user drew on it. It speaks to nobody: a design that a run would refuse simply gives no still.
namespace dw::run {

class DesignerSession;

// Draws the still and shows it in the render window (made visible the first time only, so that
// later stills never take the front from the window being typed in). Normal mode (lines, kites,
// bitmap hands) and digital mode have a still; erase mode paints its face over a whole run and
// has none. False, and nothing drawn, while a run is active, without a main picture (or, in
// bitmap mode, a hand bitmap), in erase mode, or when the design holds a value a run would
// refuse or that does not fit its integer. Shows no message and never throws RuntimeError.
bool drawLiveStill(DesignerSession& session);

} // namespace dw::run
