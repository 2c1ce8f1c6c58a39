#pragma once
// What a run loop works with: the parts of the designer session it reads and draws on. All of
// them live as long as the session, which outlives every run it starts.
#include "render/framecomposer.h"

namespace dw::design {
class Host;
struct ClockDesign;
class ToolbarButtons;
class PictureSlots;
} // namespace dw::design

namespace dw::render {
class BitmapHands;
class HandGeometry;
class RenderWindowHolder;
} // namespace dw::render

namespace dw::run {

struct RunState;

struct RunContext {
    design::Host& host;
    design::ClockDesign& design;
    design::ToolbarButtons& toolbar;
    render::HandGeometry& geometry;
    design::PictureSlots& pictures;
    render::RenderWindowHolder& renderWindow;
    render::BitmapHands& bitmapHands;
    RunState& state;

    render::FrameContext frameContext() const {
        return render::FrameContext{design, geometry, pictures, renderWindow, bitmapHands};
    }
};

} // namespace dw::run
