#pragma once
// How the command line shows a message box: one "dialwright: TEXT" line on standard error per
// line of the message, whether the design, a run or a component showed it.
#include <iosfwd>
#include <string>

namespace dw::cli {

// The message as lines prefixed "dialwright: ", each ended by a line feed. Line breaks inside
// (CR LF, CR or LF) start new lines; trailing ones are dropped. An empty text gives one line.
std::string messageLines(const std::string& text);

// The same with line feeds for CR LF and without any prefix: the design log as printed.
std::string withLineFeeds(const std::string& text);

} // namespace dw::cli
