#pragma once
// The run-state flags of a designer session, shared by the run loops, the commands and the close
// requests: a run sets them when its frames start and its closing steps put them back.
namespace dw::run {

struct RunState {
    bool running = false; // a run is producing frames; stopTest clears it
    bool idle = true;     // no run is active, stopping included
    bool saving = false;  // a run is writing an export; other commands must not disturb it
};

} // namespace dw::run
