#pragma once
// What the commands that run a design share: getting a run ready, watching it, and judging how
// it ended from what it showed and produced.
#include <cstdint>
#include <functional>

#include "clihost.h"
#include "commands.h"

namespace dw::cli {

// The components, a clean load and the options; false (after the messages) when the run
// cannot go ahead.
bool prepareRun(CommandContext& cx);

// How many frames a full run of the design produces by its settings; 0 when unknown.
std::int64_t expectedFrames(CommandContext& cx);

// Runs `command` as one run and reports what it showed.
CliHost::RunReport watchRun(CommandContext& cx, const std::function<void()>& command);

// A run ended by a run-time error shows no message of its own; the user still needs the
// reason. True when there was one (and it has been printed).
bool reportedRunError(CommandContext& cx);

// A run that showed no message and had no run-time error may still have ended early: Failed,
// after saying how far it got, when fewer than the expected frames were produced.
ExitCode judgeFrames(CommandContext& cx, std::int64_t frames);

} // namespace dw::cli
