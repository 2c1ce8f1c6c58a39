#pragma once
// The one error trap of the normal and erase runs.
#include "design/runtimeerror.h"
#include "run/runstate.h"

namespace dw::run {

// Runs `start`, then `frames` when it agreed. A refusal at the start ends the run with no closing
// steps; otherwise `close` runs on every way out. A run-time error ends the run quietly, its
// description kept for callers without a screen; any other exception travels on after `close`.
template <typename Start, typename Frames, typename Close>
void runWithClosingSteps(RunState& state, Start start, Frames frames, Close close) {
    try {
        if (!start()) {
            return;
        }
        frames();
    } catch (const design::RuntimeError& error) {
        state.runError = error.description();
    } catch (...) {
        close();
        throw;
    }
    close();
}

} // namespace dw::run
