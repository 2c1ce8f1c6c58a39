// IDispatch of the server's interface: names to identifiers, and calls with variant arguments
// converted to the parameters' types.
#include <cmath>
#include <limits>
#include <new>
#include <vector>

#include "dw/components/dualobject.h"
#include "dw/platform/com/errorcodes.h"
#include "typeinfoholder.h"

namespace dw::components::detail {

using namespace dw::com;

namespace {

// Floating point to integer as automation converts it: to nearest, halves to even; values that
// do not fit (and NaN) overflow.
bool roundToInt(double v, double lo, double hi, std::int32_t* out) {
    const double r = std::nearbyint(v);
    if (!(r >= lo && r <= hi)) {
        return false;
    }
    *out = static_cast<std::int32_t>(r);
    return true;
}

HRESULT toInteger(const VARIANT& v, double lo, double hi, std::int32_t* out) {
    switch (v.vt) {
    case VT_EMPTY:
        *out = 0;
        return S_OK;
    case VT_I2:
        *out = v.iVal;
        return S_OK;
    case VT_I4:
        if (v.lVal < lo || v.lVal > hi) {
            return DISP_E_OVERFLOW;
        }
        *out = v.lVal;
        return S_OK;
    case VT_R8:
        return roundToInt(v.dblVal, lo, hi, out) ? S_OK : DISP_E_OVERFLOW;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

HRESULT convert(const VARIANT& v, VARTYPE type, ArgValue* out) {
    std::int32_t n = 0;
    HRESULT hr = S_OK;
    switch (type) {
    case VT_I2:
        hr = toInteger(v, std::numeric_limits<std::int16_t>::min(),
                       std::numeric_limits<std::int16_t>::max(), &n);
        out->i2 = static_cast<std::int16_t>(n);
        return hr;
    case VT_I4:
        hr = toInteger(v, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max(), &n);
        out->i4 = n;
        return hr;
    case VT_R8:
        if (v.vt == VT_R8) {
            out->r8 = v.dblVal;
        } else if (v.vt == VT_I4) {
            out->r8 = v.lVal;
        } else if (v.vt == VT_I2) {
            out->r8 = v.iVal;
        } else if (v.vt != VT_EMPTY) {
            return DISP_E_TYPEMISMATCH;
        }
        return S_OK;
    case VT_BSTR:
        if (v.vt == VT_BSTR) {
            out->str = v.strVal != nullptr ? v.strVal : "";
        } else if (v.vt != VT_EMPTY) {
            return DISP_E_TYPEMISMATCH;
        }
        return S_OK;
    default:
        return DISP_E_BADVARTYPE;
    }
}

HRESULT describedInterface(const InterfaceDescription** out) {
    return loadTypeInfo(out);
}

} // namespace

HRESULT dispatchTypeInfoCount(std::uint32_t* pctinfo) noexcept {
    if (pctinfo == nullptr) {
        return E_POINTER;
    }
    *pctinfo = 1;
    return S_OK;
}

HRESULT dispatchTypeInfo(std::uint32_t iTInfo, ITypeInfo** ppTInfo) noexcept {
    if (ppTInfo == nullptr) {
        return E_POINTER;
    }
    *ppTInfo = nullptr;
    if (iTInfo != 0) {
        return DISP_E_BADINDEX;
    }
    const InterfaceDescription* iface = nullptr;
    const HRESULT hr = describedInterface(&iface);
    if (FAILED(hr)) {
        return hr;
    }
    *ppTInfo = newTypeInfo(*iface);
    return *ppTInfo != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT dispatchIdsOfNames(REFIID riid, const char** rgszNames, std::uint32_t cNames,
                           DISPID* rgDispId) noexcept {
    if (riid != IID_NULL) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    const InterfaceDescription* iface = nullptr;
    const HRESULT hr = describedInterface(&iface);
    if (FAILED(hr)) {
        return hr;
    }
    return idsOfNames(*iface, rgszNames, cNames, rgDispId);
}

HRESULT dispatchInvoke(void* iface, DISPID dispIdMember, REFIID riid, std::uint16_t wFlags,
                       DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                       std::uint32_t* puArgErr) noexcept {
    try {
        if (pVarResult != nullptr) {
            *pVarResult = VARIANT{}; // the methods give no value, and a failure none either
        }
        if (riid != IID_NULL) {
            return DISP_E_UNKNOWNINTERFACE;
        }
        const InterfaceDescription* description = nullptr;
        HRESULT hr = describedInterface(&description);
        if (FAILED(hr)) {
            return hr;
        }
        if (dispIdMember < 1 ||
            static_cast<std::size_t>(dispIdMember) > description->methods.size() ||
            (wFlags & DISPATCH_METHOD) == 0) {
            return DISP_E_MEMBERNOTFOUND;
        }
        const MethodDescription& m = description->methods[dispIdMember - 1];
        const std::uint32_t cArgs = pDispParams != nullptr ? pDispParams->cArgs : 0;
        if (pDispParams != nullptr && pDispParams->cNamedArgs != 0) {
            return DISP_E_NONAMEDARGS;
        }
        if (cArgs != m.params.size()) {
            return DISP_E_BADPARAMCOUNT;
        }
        if (cArgs > 0 && pDispParams->rgvarg == nullptr) {
            return E_POINTER;
        }
        // Callers pass the last argument first.
        std::vector<ArgValue> args(cArgs);
        for (std::uint32_t k = 0; k < cArgs; ++k) {
            const std::uint32_t slot = cArgs - 1 - k;
            hr = convert(pDispParams->rgvarg[slot], m.params[k].type, &args[k]);
            if (FAILED(hr)) {
                if (puArgErr != nullptr) {
                    *puArgErr = slot;
                }
                return hr;
            }
        }
        hr = m.invoke(iface, args.data());
        if (FAILED(hr) && pExcepInfo != nullptr) {
            // The method's own error travels in the exception information.
            *pExcepInfo = EXCEPINFO{};
            pExcepInfo->scode = hr;
            return DISP_E_EXCEPTION;
        }
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace dw::components::detail
