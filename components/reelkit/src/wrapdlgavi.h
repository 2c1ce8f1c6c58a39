#pragma once
// The WrapDLGAVI class: every object forwards to the library's one writer record, so all objects
// share the open file; an object holds nothing but its reference count.
#include "dw/components/dualobject.h"
#include "reelkit/iwrapdlgavi.h"

namespace reelkit {

class WrapDLGAVI final : public dw::components::DualObject<IWrapDLGAVI> {
public:
    // Publishes the compressors on offer, so a front end that created an object can list them.
    explicit WrapDLGAVI(dw::com::IUnknown* outer);

    dw::com::HRESULT Initialize() override;
    dw::com::HRESULT WriteFrame(std::int32_t hbitmap, std::int32_t hdc, std::int32_t width,
                                std::int32_t height) override;
    dw::com::HRESULT WriteAVIFile(const char* fname, std::int32_t width, std::int32_t height,
                                  std::int32_t bitsperpixel, std::int32_t fps) override;
    dw::com::HRESULT CloseAVIFile() override;
    dw::com::HRESULT WriteFrameEx(std::int32_t hwnd, std::int32_t hbitmap, std::int32_t width,
                                  std::int32_t height) override;
};

} // namespace reelkit
