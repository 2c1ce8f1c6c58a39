#pragma once
// The four entry points the frame defines in every component library, declared for code that
// links the frame itself (tests); everyone else reaches them through dlopen and dlsym.
#include "dw/platform/com/unknown.h"

extern "C" {
dw::com::HRESULT DllGetClassObject(const dw::com::CLSID* rclsid, const dw::com::IID* riid,
                                   void** ppv) noexcept;
dw::com::HRESULT DllCanUnloadNow() noexcept;
dw::com::HRESULT DllRegisterServer() noexcept;
dw::com::HRESULT DllUnregisterServer() noexcept;
}
