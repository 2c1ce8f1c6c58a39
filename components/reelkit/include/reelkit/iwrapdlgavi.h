#pragma once
// Public interface of the reelkit component: writes frames held in host surfaces to an AVI file.
// Load the library with dlopen, call DllGetClassObject with CLSID_WrapDLGAVI, and ask the
// factory for IID_IWrapDLGAVI. Handles are 32-bit handles of the host's surface table; the file
// name is UTF-8.
#include <cstdint>

#include "dw/platform/com/dispatch.h"

namespace reelkit {

// {4396B5C0-715B-11D4-826D-F1B8E3526765}
inline constexpr dw::com::CLSID CLSID_WrapDLGAVI = {
    0x4396B5C0, 0x715B, 0x11D4, {0x82, 0x6D, 0xF1, 0xB8, 0xE3, 0x52, 0x67, 0x65}};
// {4396B5BF-715B-11D4-826D-F1B8E3526765}
inline constexpr dw::com::IID IID_IWrapDLGAVI = {
    0x4396B5BF, 0x715B, 0x11D4, {0x82, 0x6D, 0xF1, 0xB8, 0xE3, 0x52, 0x67, 0x65}};
// {4396B5B2-715B-11D4-826D-F1B8E3526765}
inline constexpr dw::com::GUID LIBID_REELKITLib = {
    0x4396B5B2, 0x715B, 0x11D4, {0x82, 0x6D, 0xF1, 0xB8, 0xE3, 0x52, 0x67, 0x65}};

// Dispatch identifiers 1 to 5 follow the declaration order below.
class IWrapDLGAVI : public dw::com::IDispatch {
public:
    virtual dw::com::HRESULT Initialize() = 0;
    virtual dw::com::HRESULT WriteFrame(std::int32_t hbitmap, std::int32_t hdc,
                                        std::int32_t width, std::int32_t height) = 0;
    virtual dw::com::HRESULT WriteAVIFile(const char* fname, std::int32_t width,
                                          std::int32_t height, std::int32_t bitsperpixel,
                                          std::int32_t fps) = 0;
    virtual dw::com::HRESULT CloseAVIFile() = 0;
    virtual dw::com::HRESULT WriteFrameEx(std::int32_t hwnd, std::int32_t hbitmap,
                                          std::int32_t width, std::int32_t height) = 0;

protected:
    ~IWrapDLGAVI() = default;
};

} // namespace reelkit
