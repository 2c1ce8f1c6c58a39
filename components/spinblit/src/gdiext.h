#pragma once
// The gdiext class: rotation and transparent copy between surfaces named by handle. It keeps no
// state between calls, and every operation returns S_OK whatever the surfaces or sizes.
#include "dw/components/dualobject.h"
#include "spinblit/igdiext.h"

namespace spinblit {

class Gdiext final : public dw::components::DualObject<Igdiext> {
public:
    using DualObject::DualObject;

    // Bracket a series of rotations for the caller's convenience; they change nothing.
    dw::com::HRESULT initializeRotation(std::int32_t hbitmap, std::int32_t hdc, std::int32_t width,
                                        std::int32_t height) override;
    dw::com::HRESULT cleanupRotation() override;

    // The bitmap handles are not used: the surfaces are reached through their contexts.
    dw::com::HRESULT rotate(std::int32_t hbitmapsrc, std::int32_t hdcsrc, std::int32_t hbitmapdest,
                            std::int32_t hdcdest, std::int32_t width, std::int32_t height,
                            double theta) override;

    // nDWidth and nDHeight are not used: the copy is never scaled.
    dw::com::HRESULT transparentBlit(std::int32_t hdcdest, std::int32_t nDLeft, std::int32_t nDTop,
                                     std::int32_t nDWidth, std::int32_t nDHeight,
                                     std::int32_t hdcsrc, std::int32_t nLeft, std::int32_t nTop,
                                     std::int32_t nWidth, std::int32_t nHeight,
                                     std::int32_t trans) override;
};

} // namespace spinblit
