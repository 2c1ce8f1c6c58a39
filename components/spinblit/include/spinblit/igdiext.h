#pragma once
// Public interface of the spinblit component: rotation of a bitmap about its centre and a copy
// that leaves out one colour. Surfaces are named by 32-bit handles of the host's surface table;
// colours are 0x00BBGGRR. Load the library with dlopen, call DllGetClassObject with
// CLSID_gdiext, and ask the factory for IID_Igdiext.
#include <cstdint>

#include "dw/platform/com/dispatch.h"

namespace spinblit {

// {D4E59E4E-001C-11D5-846D-004095301014}
inline constexpr dw::com::CLSID CLSID_gdiext = {
    0xD4E59E4E, 0x001C, 0x11D5, {0x84, 0x6D, 0x00, 0x40, 0x95, 0x30, 0x10, 0x14}};
// {BE2C70AD-001E-11D5-846D-004095301014}
inline constexpr dw::com::IID IID_Igdiext = {
    0xBE2C70AD, 0x001E, 0x11D5, {0x84, 0x6D, 0x00, 0x40, 0x95, 0x30, 0x10, 0x14}};
// {BE2C70A1-001E-11D5-846D-004095301014}
inline constexpr dw::com::GUID LIBID_SPINBLITLib = {
    0xBE2C70A1, 0x001E, 0x11D5, {0x84, 0x6D, 0x00, 0x40, 0x95, 0x30, 0x10, 0x14}};

// Dispatch identifiers 1 to 4 follow the declaration order below.
class Igdiext : public dw::com::IDispatch {
public:
    virtual dw::com::HRESULT initializeRotation(std::int32_t hbitmap, std::int32_t hdc,
                                                std::int32_t width, std::int32_t height) = 0;
    virtual dw::com::HRESULT cleanupRotation() = 0;
    virtual dw::com::HRESULT rotate(std::int32_t hbitmapsrc, std::int32_t hdcsrc,
                                    std::int32_t hbitmapdest, std::int32_t hdcdest,
                                    std::int32_t width, std::int32_t height, double theta) = 0;
    virtual dw::com::HRESULT transparentBlit(std::int32_t hdcdest, std::int32_t nDLeft,
                                             std::int32_t nDTop, std::int32_t nDWidth,
                                             std::int32_t nDHeight, std::int32_t hdcsrc,
                                             std::int32_t nLeft, std::int32_t nTop,
                                             std::int32_t nWidth, std::int32_t nHeight,
                                             std::int32_t trans) = 0;

protected:
    ~Igdiext() = default;
};

} // namespace spinblit
