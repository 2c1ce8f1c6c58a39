#include "render/movementchecks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/clockdesign.h"
#include "design/toolbarbuttons.h"
#include "recordinghost.h"

using namespace dw::render;
using dw::design::ClockDesign;
using dw::design::MessageIcon;
using dw::design::ToolbarButtons;
using dw::testing::RecordedMessage;
using dw::testing::RecordingHost;

namespace {

constexpr const char* kJitterRate =
    "Copy FPS must be at least 5 to use the jitter function.\r\n15 FPS is recommended.";
constexpr const char* kMultipleOfSix = "In this version copy FPS must be a multiple of 6";

// One click: the buttons down after the toggle, the copy rate, the button clicked, and what the
// check must leave behind.
struct ClickCase {
    std::string name;
    std::vector<std::string> down;
    std::string copyfps;
    std::string clicked;
    std::string message; // empty: none
    MessageIcon icon;
    std::vector<std::string> downAfter;
};

class AppearanceClickTest : public ::testing::TestWithParam<ClickCase> {};

std::vector<std::string> pressedKeys(const ToolbarButtons& toolbar) {
    std::vector<std::string> keys;
    for (std::string_view key : ToolbarButtons::kKeys) {
        if (toolbar.pressed(key)) {
            keys.emplace_back(key);
        }
    }
    return keys;
}

} // namespace

TEST_P(AppearanceClickTest, checksTheClickedButton) {
    const ClickCase& c = GetParam();
    RecordingHost host;
    ToolbarButtons toolbar(host);
    ClockDesign design;
    design.copyfps = c.copyfps;
    for (const std::string& key : c.down) {
        toolbar.setToolbarButton(key, 1);
    }
    appearanceButtonClicked(c.clicked, toolbar, design, host);
    std::vector<RecordedMessage> expected;
    if (!c.message.empty()) {
        expected.push_back({c.message, c.icon});
    }
    EXPECT_EQ(host.messages, expected);
    EXPECT_EQ(pressedKeys(toolbar), c.downAfter);
}

const auto I = MessageIcon::Information;

// clang-format off
INSTANTIATE_TEST_SUITE_P(MovementChecks, AppearanceClickTest, ::testing::Values(
    ClickCase{"smoothSecondAgainstSecondJitter", {"IDM_SMOOTHS", "IDM_JITTERS"}, "15", "IDM_SMOOTHS",
              "Incompatible with second hand jitter", I, {"IDM_JITTERS"}},
    ClickCase{"smoothHourAgainstHourJitter", {"IDM_SMOOTHH", "IDM_JITTERH"}, "15", "IDM_SMOOTHH",
              "Incompatible with hour hand jitter", I, {"IDM_JITTERH"}},
    ClickCase{"smoothMinuteIgnoresOtherHandsJitter", {"IDM_SMOOTHM", "IDM_JITTERS"}, "15",
              "IDM_SMOOTHM", "", I, {"IDM_SMOOTHM", "IDM_JITTERS"}},
    ClickCase{"smoothSecondAtAMultipleOfSix", {"IDM_SMOOTHS"}, " 12 ", "IDM_SMOOTHS", "", I,
              {"IDM_SMOOTHS"}},
    ClickCase{"smoothSecondAtTen", {"IDM_SMOOTHS"}, "10", "IDM_SMOOTHS", kMultipleOfSix, I, {}},
    ClickCase{"smoothSecondAtZero", {"IDM_SMOOTHS"}, "0", "IDM_SMOOTHS", kMultipleOfSix, I, {}},
    ClickCase{"smoothSecondAtMinusSix", {"IDM_SMOOTHS"}, "-6", "IDM_SMOOTHS", kMultipleOfSix, I, {}},
    ClickCase{"smoothSecondRoundsHalfToEven", {"IDM_SMOOTHS"}, "6.5", "IDM_SMOOTHS", "", I,
              {"IDM_SMOOTHS"}},
    ClickCase{"smoothSecondAtARateBeyond32Bits", {"IDM_SMOOTHS"}, "6e12", "IDM_SMOOTHS",
              kMultipleOfSix, I, {}},
    ClickCase{"smoothHourDoesNotCheckTheRate", {"IDM_SMOOTHH"}, "10", "IDM_SMOOTHH", "", I,
              {"IDM_SMOOTHH"}},
    ClickCase{"releasingSmoothChecksNothing", {"IDM_JITTERS"}, "1", "IDM_SMOOTHS", "", I,
              {"IDM_JITTERS"}},
    ClickCase{"minuteJitterAgainstSmoothMinute", {"IDM_SMOOTHM", "IDM_JITTERM"}, "15", "IDM_JITTERM",
              "Incompatible with minute hand smooth movement", I, {"IDM_SMOOTHM"}},
    ClickCase{"minuteJitterAtFour", {"IDM_JITTERM"}, "4", "IDM_JITTERM", kJitterRate, I, {}},
    ClickCase{"secondJitterJustBelowFive", {"IDM_JITTERS"}, " 4.9 ", "IDM_JITTERS", kJitterRate, I,
              {}},
    ClickCase{"secondJitterAtFive", {"IDM_JITTERS"}, "5", "IDM_JITTERS", "", I, {"IDM_JITTERS"}},
    ClickCase{"jitterWithARateNoNumberCarries", {"IDM_JITTERS"}, "1e999", "IDM_JITTERS",
              kJitterRate, I, {}},
    ClickCase{"otherButtonIsUndefined", {"IDM_SMOOTHS"}, "1", "IDM_PREVIEW", "Undefined",
              MessageIcon::None, {"IDM_SMOOTHS"}}),
    [](const auto& info) { return info.param.name; });
// clang-format on
