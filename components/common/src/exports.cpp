// The four entry points of the library, and the only symbols it exports. Every body catches
// everything: nothing C++ crosses this line.
#include <new>

#include "classfactory.h"
#include "dw/components/exports.h"
#include "dw/components/modulelock.h"
#include "dw/components/serverdefinition.h"
#include "registration.h"

#define DW_COMPONENT_EXPORT extern "C" __attribute__((visibility("default")))

using namespace dw::com;

namespace {

template <class Body> HRESULT guarded(Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace

// Returns the class factory of the library's class, asking it for `riid`.
// CLASS_E_CLASSNOTAVAILABLE for another class, E_POINTER for null pointers.
DW_COMPONENT_EXPORT HRESULT DllGetClassObject(const CLSID* rclsid, const IID* riid,
                                              void** ppv) noexcept {
    return guarded([&] {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        *ppv = nullptr;
        if (rclsid == nullptr || riid == nullptr) {
            return E_POINTER;
        }
        if (*rclsid != dw::components::serverDefinition().clsid) {
            return CLASS_E_CLASSNOTAVAILABLE;
        }
        auto* factory = new (std::nothrow) dw::components::ClassFactory();
        if (factory == nullptr) {
            return E_OUTOFMEMORY;
        }
        const HRESULT hr = factory->QueryInterface(*riid, ppv);
        factory->Release();
        return hr;
    });
}

// S_OK when no object, factory or lock holds the library, else S_FALSE.
DW_COMPONENT_EXPORT HRESULT DllCanUnloadNow() noexcept {
    return dw::components::moduleLockCount() == 0 ? S_OK : S_FALSE;
}

DW_COMPONENT_EXPORT HRESULT DllRegisterServer() noexcept {
    return guarded([] { return dw::components::registerServer(); });
}

DW_COMPONENT_EXPORT HRESULT DllUnregisterServer() noexcept {
    return guarded([] { return dw::components::unregisterServer(); });
}
