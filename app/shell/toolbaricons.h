#pragma once
// The toolbar buttons' images, drawn here at 16 and 24 pixels: one of its own for every key.
#include <string_view>

#include <QIcon>

namespace dw::shell {

// The image of a toolbar button; an unknown key gets a plain question mark.
QIcon toolbarIcon(std::string_view key);

// The program's own icon, a clock face, for its windows (the installed one is an SVG of it).
QIcon applicationIcon();

} // namespace dw::shell
