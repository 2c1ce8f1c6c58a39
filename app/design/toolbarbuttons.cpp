#include "design/toolbarbuttons.h"

#include "design/host.h"

namespace dw::design {

int ToolbarButtons::indexOf(std::string_view key) const {
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (kKeys[i] == key) {
            return static_cast<int>(i);
        }
    }
    mHost.showMessage(kElementNotFound, MessageIcon::Information);
    return -1;
}

std::int16_t ToolbarButtons::getToolbarButton(std::string_view key) const {
    const int i = indexOf(key);
    return i < 0 ? 0 : mValues[static_cast<std::size_t>(i)];
}

void ToolbarButtons::setToolbarButton(std::string_view key, std::int16_t value) {
    const int i = indexOf(key);
    if (i >= 0) {
        mValues[static_cast<std::size_t>(i)] = value == 0 ? 0 : 1;
    }
}

} // namespace dw::design
