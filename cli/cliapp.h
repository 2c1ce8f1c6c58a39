#pragma once
// The program dialwright-cli without its process set-up: parses the arguments, runs the
// sub-command and gives the exit status.
#include <string>
#include <vector>

namespace dw::cli {

// Runs one call (the arguments after the program name). Help goes to standard output, usage
// mistakes to standard error with status 2. Needs a QGuiApplication for the runs' fonts, and a
// QApplication for the commands that commandNeedsWidgets names.
int runCli(const std::vector<std::string>& args);

// True when the call's command draws with Qt Widgets (the motion plot's charts).
bool commandNeedsWidgets(const std::vector<std::string>& args);

} // namespace dw::cli
