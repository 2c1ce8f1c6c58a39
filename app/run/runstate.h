#pragma once
// The run-state flags of a designer session, shared by the run loops, the commands and the close
// requests: a run sets them when its frames start and its closing steps put them back.
#include <string>

namespace dw::run {

struct RunState {
    bool running = false; // a run is producing frames; stopTest clears it
    bool idle = true;     // no run is active, stopping included
    bool saving = false;  // a run is writing an export; other commands must not disturb it

    // The description of the run-time error that ended a run. A run ends quietly on one; this
    // lets a caller that has no screen say why. Runs only set it; the caller clears it.
    std::string runError{};

    // Run loops entered and not yet returned. A test may arrive while a run yields; it then runs
    // inside that run, and when it ends the outer run is still stopping, so idle must stay false.
    int activeRuns = 0;

    // The flags as a run's frames start.
    void framesStarted() {
        running = true;
        idle = false;
    }
    // The flags as a run's closing steps leave them; idle only once no other run is active.
    void framesEnded() {
        running = false;
        idle = activeRuns <= 1;
    }
};

// Counts a run loop as active for its whole call, refusals and errors included; each run loop
// holds one, so any caller of a loop gets idle right.
class ActiveRun {
public:
    explicit ActiveRun(RunState& state) : mState(state) { ++mState.activeRuns; }
    ~ActiveRun() { --mState.activeRuns; }
    ActiveRun(const ActiveRun&) = delete;
    ActiveRun& operator=(const ActiveRun&) = delete;

private:
    RunState& mState;
};

} // namespace dw::run
