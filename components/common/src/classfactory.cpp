#include "classfactory.h"

#include <new>

#include "dw/components/modulelock.h"
#include "dw/components/serverdefinition.h"

namespace dw::components {

using namespace dw::com;

ClassFactory::ClassFactory() noexcept {
    lockModule();
}

ClassFactory::~ClassFactory() {
    unlockModule();
}

HRESULT ClassFactory::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    if (riid != IID_IUnknown && riid != IID_IClassFactory) {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG ClassFactory::AddRef() {
    return ++mRefs;
}

ULONG ClassFactory::Release() {
    const ULONG left = --mRefs;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (pUnkOuter != nullptr && riid != IID_IUnknown) {
        return CLASS_E_NOAGGREGATION;
    }
    try {
        IUnknown* inner = nullptr;
        HRESULT hr = serverDefinition().createObject(pUnkOuter, &inner);
        if (FAILED(hr) || inner == nullptr) {
            return FAILED(hr) ? hr : E_UNEXPECTED;
        }
        hr = inner->QueryInterface(riid, ppv);
        inner->Release(); // the object goes here when the interface was refused
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT ClassFactory::LockServer(BOOL fLock) {
    return lockServer(fLock != 0);
}

} // namespace dw::components
