#include "render/movementchecks.h"

#include <array>
#include <optional>
#include <string>

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "design/toolbarbuttons.h"

namespace dw::render {

using design::MessageIcon;

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// The copy rate as a real number; nullopt when the text holds a number no double can carry.
std::optional<double> copyRate(const design::ClockDesign& design) {
    try {
        return design::leadingNumber(trimmed(design.copyfps));
    } catch (const design::RuntimeError&) {
        return std::nullopt;
    }
}

bool isPositiveMultipleOfSix(std::optional<double> rate) {
    if (!rate) {
        return false;
    }
    try {
        const std::int32_t fps = design::toInt32(*rate);
        return fps > 0 && fps % 6 == 0;
    } catch (const design::RuntimeError&) {
        return false;
    }
}

struct ButtonCheck {
    std::string_view key;
    std::string_view partner;
    std::string_view hand;
    bool smooth;
    bool validateFps;
};

constexpr std::array<ButtonCheck, 6> kButtonChecks{{
    {"IDM_SMOOTHH", "IDM_JITTERH", "hour", true, false},
    {"IDM_SMOOTHM", "IDM_JITTERM", "minute", true, false},
    {"IDM_SMOOTHS", "IDM_JITTERS", "second", true, true},
    {"IDM_JITTERH", "IDM_SMOOTHH", "hour", false, false},
    {"IDM_JITTERM", "IDM_SMOOTHM", "minute", false, false},
    {"IDM_JITTERS", "IDM_SMOOTHS", "second", false, false},
}};

} // namespace

void validateSmoothAndJitter(design::ToolbarButtons& toolbar, const design::ClockDesign& design,
                             design::Host& host, std::string_view strSmooth,
                             std::string_view strJitter, std::string_view strIncompatibleWith,
                             bool bValidateFPS) {
    if (toolbar.getToolbarButton(strSmooth) == 0) {
        return;
    }
    if (toolbar.getToolbarButton(strJitter) == 1) {
        host.showMessage("Incompatible with " + std::string(strIncompatibleWith) + " hand jitter",
                         MessageIcon::Information);
        toolbar.setToolbarButton(strSmooth, 0);
        return;
    }
    if (!bValidateFPS || isPositiveMultipleOfSix(copyRate(design))) {
        return;
    }
    host.showMessage("In this version copy FPS must be a multiple of 6", MessageIcon::Information);
    toolbar.setToolbarButton(strSmooth, 0);
}

void validateJitterAndSmooth(design::ToolbarButtons& toolbar, const design::ClockDesign& design,
                             design::Host& host, std::string_view strJitter,
                             std::string_view strSmooth, std::string_view strIncompatibleWith) {
    if (toolbar.getToolbarButton(strJitter) == 0) {
        return;
    }
    if (toolbar.getToolbarButton(strSmooth) == 1) {
        host.showMessage("Incompatible with " + std::string(strIncompatibleWith) +
                             " hand smooth movement",
                         MessageIcon::Information);
        toolbar.setToolbarButton(strJitter, 0);
        return;
    }
    const std::optional<double> rate = copyRate(design);
    if (rate && *rate >= 5) {
        return;
    }
    host.showMessage("Copy FPS must be at least 5 to use the jitter function.\r\n"
                     "15 FPS is recommended.",
                     MessageIcon::Information);
    toolbar.setToolbarButton(strJitter, 0);
}

void appearanceButtonClicked(std::string_view key, design::ToolbarButtons& toolbar,
                             const design::ClockDesign& design, design::Host& host) {
    for (const ButtonCheck& check : kButtonChecks) {
        if (check.key != key) {
            continue;
        }
        if (check.smooth) {
            validateSmoothAndJitter(toolbar, design, host, check.key, check.partner, check.hand,
                                    check.validateFps);
        } else {
            validateJitterAndSmooth(toolbar, design, host, check.key, check.partner, check.hand);
        }
        return;
    }
    host.showMessage("Undefined", MessageIcon::None);
}

} // namespace dw::render
