#include "wrapdlgavi.h"

#include "aviwriter.h"
#include "dw/avifile/compression.h"
#include "dw/platform/compressiondialog.h"

namespace reelkit {

using dw::com::E_FAIL;
using dw::com::HRESULT;
using dw::com::S_OK;

WrapDLGAVI::WrapDLGAVI(dw::com::IUnknown* outer) : DualObject(outer) {
    dw::platform::publishCompressors(dw::avifile::availableCompressors());
}

// Nothing may escape through the vtable: a failure inside becomes the result the operation
// gives when it fails.
HRESULT WrapDLGAVI::Initialize() {
    return sharedWriter().Initialize();
}

HRESULT WrapDLGAVI::WriteFrame(std::int32_t hbitmap, std::int32_t hdc, std::int32_t width,
                               std::int32_t height) {
    try {
        return sharedWriter().WriteFrame(hbitmap, hdc, width, height);
    } catch (...) {
        return S_OK;
    }
}

HRESULT WrapDLGAVI::WriteAVIFile(const char* fname, std::int32_t width, std::int32_t height,
                                 std::int32_t bitsperpixel, std::int32_t fps) {
    try {
        return sharedWriter().WriteAVIFile(fname, width, height, bitsperpixel, fps);
    } catch (...) {
        sharedWriter().CloseAVIFile();
        return E_FAIL;
    }
}

HRESULT WrapDLGAVI::CloseAVIFile() {
    return sharedWriter().CloseAVIFile();
}

HRESULT WrapDLGAVI::WriteFrameEx(std::int32_t hwnd, std::int32_t hbitmap, std::int32_t width,
                                 std::int32_t height) {
    try {
        return sharedWriter().WriteFrameEx(hwnd, hbitmap, width, height);
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace reelkit
