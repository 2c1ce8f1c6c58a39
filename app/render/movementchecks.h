#pragma once
// The checks that keep the smooth and jitter buttons of the appearance toolbar consistent with
// each other and with the copy frame rate. They run after a button click and release the clicked
// button, with a message, when the new state is not allowed.
#include <string_view>

namespace dw::design {
struct ClockDesign;
class Host;
class ToolbarButtons;
} // namespace dw::design

namespace dw::render {

// After a smooth button was clicked: refuses it while the matching jitter button is down, and,
// when bValidateFPS, unless "copyfps" is a positive multiple of 6. Never throws: a copy rate too
// large for 32 bits is refused like any other unusable rate.
void validateSmoothAndJitter(design::ToolbarButtons& toolbar, const design::ClockDesign& design,
                             design::Host& host, std::string_view strSmooth,
                             std::string_view strJitter, std::string_view strIncompatibleWith,
                             bool bValidateFPS);

// After a jitter button was clicked: refuses it while the matching smooth button is down or while
// "copyfps" is below 5. Never throws; an unreadable rate is refused as too low.
void validateJitterAndSmooth(design::ToolbarButtons& toolbar, const design::ClockDesign& design,
                             design::Host& host, std::string_view strJitter,
                             std::string_view strSmooth, std::string_view strIncompatibleWith);

// A click on a button of the appearance toolbar, after the button toggled: runs that button's
// check. A key the toolbar does not know shows "Undefined".
void appearanceButtonClicked(std::string_view key, design::ToolbarButtons& toolbar,
                             const design::ClockDesign& design, design::Host& host);

} // namespace dw::render
