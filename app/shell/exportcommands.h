#pragma once
// The Export menu's commands: a video file, a contact sheet or a motion plot of the design in
// the session. Each refuses as Save AVI does (no main picture, a run going), asks for the file
// through the host's save dialog and for its options through a form, then runs the core's export
// as a user command, its progress in the frame-count panel. The outcome is a log line; a failure
// also shows its reason.
namespace dw::shell {

class MainWindow;

namespace commands {

// An ".avi" name goes through Save AVI's own export, its compression dialog included.
void exportVideo(MainWindow& window);
void exportSheet(MainWindow& window);
void exportMotion(MainWindow& window);

} // namespace commands

} // namespace dw::shell
