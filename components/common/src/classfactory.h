#pragma once
// The class factory of the server's one class. Each DllGetClassObject call makes a new factory;
// while a factory lives it holds the library loaded, like any other object of the library.
#include <atomic>

#include "dw/platform/com/unknown.h"

namespace dw::components {

class ClassFactory final : public dw::com::IClassFactory {
public:
    ClassFactory() noexcept;
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    dw::com::HRESULT QueryInterface(dw::com::REFIID riid, void** ppv) override;
    dw::com::ULONG AddRef() override;
    dw::com::ULONG Release() override;

    // Creates an object, aggregated when `pUnkOuter` is given (then only IID_IUnknown may be
    // asked: else CLASS_E_NOAGGREGATION), and answers `riid`; the object goes again when that
    // fails. E_POINTER for a null ppv, E_OUTOFMEMORY when memory runs out.
    dw::com::HRESULT CreateInstance(dw::com::IUnknown* pUnkOuter, dw::com::REFIID riid,
                                    void** ppv) override;
    dw::com::HRESULT LockServer(dw::com::BOOL fLock) override;

private:
    ~ClassFactory();

    std::atomic<dw::com::ULONG> mRefs{1};
};

} // namespace dw::components
