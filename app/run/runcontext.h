#pragma once
// What a run loop works with: the parts of the designer session it reads and draws on. All of
// them live as long as the session, which outlives every run it starts.
namespace dw::design {
class Host;
struct ClockDesign;
class ToolbarButtons;
class PictureSlots;
} // namespace dw::design

namespace dw::render {
class HandGeometry;
}

namespace dw::run {

struct RunState;

struct RunContext {
    design::Host& host;
    design::ClockDesign& design;
    design::ToolbarButtons& toolbar;
    render::HandGeometry& geometry;
    design::PictureSlots& pictures;
    RunState& state;
};

} // namespace dw::run
