#pragma once
// The toolbar buttons' images, drawn here at 16 and 24 pixels: one of its own for every key.
#include <string_view>

#include <QIcon>

namespace dw::shell {

// The image of a toolbar button; an unknown key gets a plain question mark.
QIcon toolbarIcon(std::string_view key);

} // namespace dw::shell
