#include "typeinfoholder.h"

#include <strings.h>

#include <atomic>
#include <mutex>
#include <new>

#include "dw/components/modulelock.h"
#include "dw/components/serverdefinition.h"
#include "dw/platform/com/errorcodes.h"
#include "dw/platform/com/typelibrary.h"

namespace dw::components {

using namespace dw::com;

namespace {

std::mutex gTypeInfoMutex;
bool gTypeInfoLoaded = false; // guarded by gTypeInfoMutex

const MethodDescription* methodOf(const InterfaceDescription& iface, DISPID memid) {
    if (memid < 1 || static_cast<std::size_t>(memid) > iface.methods.size()) {
        return nullptr;
    }
    return &iface.methods[static_cast<std::size_t>(memid) - 1];
}

class InterfaceTypeInfo final : public ITypeInfo {
public:
    explicit InterfaceTypeInfo(const InterfaceDescription& iface) noexcept : mIface(iface) {
        lockModule();
    }
    InterfaceTypeInfo(const InterfaceTypeInfo&) = delete;
    InterfaceTypeInfo& operator=(const InterfaceTypeInfo&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        // A type information object has no identifier of its own here; it answers IUnknown.
        if (riid != IID_IUnknown) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++mRefs; }
    ULONG Release() override {
        const ULONG left = --mRefs;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT GetGuid(GUID* pguid) override {
        if (pguid == nullptr) {
            return E_POINTER;
        }
        *pguid = mIface.iid;
        return S_OK;
    }

    HRESULT GetFuncCount(std::uint32_t* pcFuncs) override {
        if (pcFuncs == nullptr) {
            return E_POINTER;
        }
        *pcFuncs = static_cast<std::uint32_t>(mIface.methods.size());
        return S_OK;
    }

    HRESULT GetDocumentation(DISPID memid, const char** pName, const char** pDoc) override {
        const char* name = mIface.name;
        const char* doc = mIface.helpString;
        if (memid != MEMBERID_NIL) {
            const MethodDescription* m = methodOf(mIface, memid);
            if (m == nullptr) {
                return DISP_E_MEMBERNOTFOUND;
            }
            name = m->name;
            doc = m->helpString;
        }
        if (pName != nullptr) {
            *pName = name;
        }
        if (pDoc != nullptr) {
            *pDoc = doc;
        }
        return S_OK;
    }

    HRESULT GetNames(DISPID memid, const char** rgszNames, std::uint32_t cMaxNames,
                     std::uint32_t* pcNames) override {
        if (pcNames == nullptr || (rgszNames == nullptr && cMaxNames > 0)) {
            return E_POINTER;
        }
        const MethodDescription* m = methodOf(mIface, memid);
        if (m == nullptr) {
            *pcNames = 0;
            return DISP_E_MEMBERNOTFOUND;
        }
        std::uint32_t n = 0;
        if (n < cMaxNames) {
            rgszNames[n++] = m->name;
        }
        for (const ParamDescription& p : m->params) {
            if (n < cMaxNames) {
                rgszNames[n++] = p.name;
            }
        }
        *pcNames = n;
        return S_OK;
    }

    HRESULT GetParamTypes(DISPID memid, VARTYPE* rgvt, std::uint32_t cMax,
                          std::uint32_t* pcParams) override {
        if (pcParams == nullptr || (rgvt == nullptr && cMax > 0)) {
            return E_POINTER;
        }
        const MethodDescription* m = methodOf(mIface, memid);
        if (m == nullptr) {
            *pcParams = 0;
            return DISP_E_MEMBERNOTFOUND;
        }
        std::uint32_t n = 0;
        for (const ParamDescription& p : m->params) {
            if (n < cMax) {
                rgvt[n++] = p.type;
            }
        }
        *pcParams = n;
        return S_OK;
    }

    HRESULT GetIDsOfNames(const char** rgszNames, std::uint32_t cNames, DISPID* pMemId) override {
        return idsOfNames(mIface, rgszNames, cNames, pMemId);
    }

private:
    ~InterfaceTypeInfo() { unlockModule(); }

    const InterfaceDescription& mIface;
    std::atomic<ULONG> mRefs{1};
};

} // namespace

HRESULT loadTypeInfo(const InterfaceDescription** out) noexcept {
    try {
        const ServerDefinition& def = serverDefinition();
        std::lock_guard lock(gTypeInfoMutex);
        if (!gTypeInfoLoaded) {
            std::string path;
            const HRESULT hr = queryTypeLibraryPath(def.typeLibrary.libid, def.typeLibrary.major,
                                                    def.typeLibrary.minor, &path);
            if (FAILED(hr)) {
                return hr;
            }
            gTypeInfoLoaded = true;
        }
        *out = def.iface;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

ITypeInfo* newTypeInfo(const InterfaceDescription& iface) noexcept {
    return new (std::nothrow) InterfaceTypeInfo(iface);
}

HRESULT idsOfNames(const InterfaceDescription& iface, const char** names, std::uint32_t count,
                   DISPID* ids) noexcept {
    if (count == 0) {
        return S_OK;
    }
    if (names == nullptr || ids == nullptr) {
        return E_POINTER;
    }
    const MethodDescription* found = nullptr;
    for (std::size_t k = 0; k < iface.methods.size() && names[0] != nullptr; ++k) {
        if (::strcasecmp(iface.methods[k].name, names[0]) == 0) {
            found = &iface.methods[k];
            ids[0] = static_cast<DISPID>(k + 1);
            break;
        }
    }
    HRESULT hr = S_OK;
    if (found == nullptr) {
        ids[0] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    for (std::uint32_t n = 1; n < count; ++n) {
        ids[n] = DISPID_UNKNOWN;
        for (std::size_t p = 0; found != nullptr && names[n] != nullptr && p < found->params.size();
             ++p) {
            if (::strcasecmp(found->params[p].name, names[n]) == 0) {
                ids[n] = static_cast<DISPID>(p);
            }
        }
        if (ids[n] == DISPID_UNKNOWN) {
            hr = DISP_E_UNKNOWNNAME;
        }
    }
    return hr;
}

} // namespace dw::components
