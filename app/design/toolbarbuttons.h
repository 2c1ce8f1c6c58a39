#pragma once
// The pressed states of the appearance toolbar's two-state buttons, the only store of the
// movement flags of a design. Addressed by button key.
#include <array>
#include <cstdint>
#include <string_view>

namespace dw::design {

class Host;

class ToolbarButtons {
public:
    static constexpr std::array<std::string_view, 6> kKeys{
        "IDM_SMOOTHH", "IDM_SMOOTHM", "IDM_SMOOTHS", "IDM_JITTERH", "IDM_JITTERM", "IDM_JITTERS"};

    explicit ToolbarButtons(Host& host) : mHost(host) {}

    // 0 up, 1 pressed. An unknown key shows the platform's error text (information) and gives 0.
    std::int16_t getToolbarButton(std::string_view key) const;

    // Any value other than 0 presses the button. An unknown key shows the error text.
    void setToolbarButton(std::string_view key, std::int16_t value);

    // Without messages, for callers that know the key exists.
    bool pressed(std::string_view key) const { return getToolbarButton(key) == 1; }

private:
    int indexOf(std::string_view key) const;

    Host& mHost;
    std::array<std::int16_t, kKeys.size()> mValues{};
};

// The platform's description of a lookup by a key that names nothing.
inline constexpr const char* kElementNotFound = "Element not found";

} // namespace dw::design
