#pragma once
// The base of a component's one class: IUnknown with aggregation, and IDispatch driven by the
// interface description of serverDefinition(). A class derives from DualObject<Interface>,
// inherits the constructor and implements the interface's own methods, which must not throw.
//
// Without an outer object the object is its own controlling unknown. With one, the interface's
// IUnknown methods delegate to the outer object and only innerUnknown() controls the lifetime,
// so the outer object can hand out the interface as its own.
#include <atomic>
#include <cstdint>

#include "dw/components/modulelock.h"
#include "dw/components/serverdefinition.h"
#include "dw/platform/com/dispatch.h"
#include "dw/platform/com/typeinfo.h"

namespace dw::components {

namespace detail {

// The dispatch operations of the server's interface, shared by every DualObject. They load the
// registered type library on first use and fail with its error when it cannot be loaded.
dw::com::HRESULT dispatchTypeInfoCount(std::uint32_t* pctinfo) noexcept;
dw::com::HRESULT dispatchTypeInfo(std::uint32_t iTInfo, dw::com::ITypeInfo** ppTInfo) noexcept;
dw::com::HRESULT dispatchIdsOfNames(dw::com::REFIID riid, const char** rgszNames,
                                    std::uint32_t cNames, dw::com::DISPID* rgDispId) noexcept;
dw::com::HRESULT dispatchInvoke(void* iface, dw::com::DISPID dispIdMember, dw::com::REFIID riid,
                                std::uint16_t wFlags, dw::com::DISPPARAMS* pDispParams,
                                dw::com::VARIANT* pVarResult, dw::com::EXCEPINFO* pExcepInfo,
                                std::uint32_t* puArgErr) noexcept;

} // namespace detail

template <class Interface> class DualObject : public Interface {
public:
    // `outer` is the controlling unknown of an aggregate, or null.
    explicit DualObject(dw::com::IUnknown* outer) noexcept
        : mInner(this), mControlling(outer != nullptr ? outer : &mInner) {
        lockModule();
    }
    DualObject(const DualObject&) = delete;
    DualObject& operator=(const DualObject&) = delete;

    // The object's own IUnknown, which the class factory hands out (with one reference).
    dw::com::IUnknown* innerUnknown() noexcept { return &mInner; }

    dw::com::HRESULT QueryInterface(dw::com::REFIID riid, void** ppv) override {
        return mControlling->QueryInterface(riid, ppv);
    }
    dw::com::ULONG AddRef() override { return mControlling->AddRef(); }
    dw::com::ULONG Release() override { return mControlling->Release(); }

    dw::com::HRESULT GetTypeInfoCount(std::uint32_t* pctinfo) override {
        return detail::dispatchTypeInfoCount(pctinfo);
    }
    dw::com::HRESULT GetTypeInfo(std::uint32_t iTInfo, dw::com::LCID,
                                 dw::com::ITypeInfo** ppTInfo) override {
        return detail::dispatchTypeInfo(iTInfo, ppTInfo);
    }
    dw::com::HRESULT GetIDsOfNames(dw::com::REFIID riid, const char** rgszNames,
                                   std::uint32_t cNames, dw::com::LCID,
                                   dw::com::DISPID* rgDispId) override {
        return detail::dispatchIdsOfNames(riid, rgszNames, cNames, rgDispId);
    }
    dw::com::HRESULT Invoke(dw::com::DISPID dispIdMember, dw::com::REFIID riid, dw::com::LCID,
                            std::uint16_t wFlags, dw::com::DISPPARAMS* pDispParams,
                            dw::com::VARIANT* pVarResult, dw::com::EXCEPINFO* pExcepInfo,
                            std::uint32_t* puArgErr) override {
        return detail::dispatchInvoke(static_cast<Interface*>(this), dispIdMember, riid, wFlags,
                                      pDispParams, pVarResult, pExcepInfo, puArgErr);
    }

protected:
    virtual ~DualObject() { unlockModule(); }

private:
    // The non-delegating IUnknown: identity and lifetime of the object itself.
    class Inner final : public dw::com::IUnknown {
    public:
        explicit Inner(DualObject* owner) : mOwner(owner) {}
        dw::com::HRESULT QueryInterface(dw::com::REFIID riid, void** ppv) override {
            return mOwner->innerQueryInterface(riid, ppv);
        }
        dw::com::ULONG AddRef() override { return ++mOwner->mRefs; }
        dw::com::ULONG Release() override {
            const dw::com::ULONG left = --mOwner->mRefs;
            if (left == 0) {
                delete mOwner;
            }
            return left;
        }

    private:
        DualObject* mOwner;
    };

    dw::com::HRESULT innerQueryInterface(dw::com::REFIID riid, void** ppv) {
        if (ppv == nullptr) {
            return dw::com::E_POINTER;
        }
        *ppv = nullptr;
        if (riid == dw::com::IID_IUnknown) {
            // An aggregate's outer object needs the inner unknown; alone, the object is it.
            *ppv = mControlling == &mInner
                       ? static_cast<dw::com::IUnknown*>(static_cast<Interface*>(this))
                       : static_cast<dw::com::IUnknown*>(&mInner);
            if (mControlling != &mInner) {
                mInner.AddRef();
                return dw::com::S_OK;
            }
        } else if (riid == dw::com::IID_IDispatch || riid == serverDefinition().iface->iid) {
            *ppv = static_cast<Interface*>(this);
        } else {
            return dw::com::E_NOINTERFACE;
        }
        static_cast<Interface*>(this)->AddRef();
        return dw::com::S_OK;
    }

    Inner mInner;
    dw::com::IUnknown* mControlling;
    std::atomic<dw::com::ULONG> mRefs{1};
};

} // namespace dw::components
