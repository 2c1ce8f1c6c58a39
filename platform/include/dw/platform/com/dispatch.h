#pragma once
// Late-bound calls by name: the dispatch interface and the small variant it passes. Strings are
// UTF-8 `const char*` here; the variant types are the few the two components' methods take.
#include <cstdint>

#include "dw/platform/com/unknown.h"

namespace dw::com {

using VARTYPE = std::uint16_t;
constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_R8 = 5;
constexpr VARTYPE VT_BSTR = 8; // here: a UTF-8 `const char*`, owned by the caller
constexpr VARTYPE VT_HRESULT = 25;

struct VARIANT {
    VARTYPE vt;
    std::uint16_t reserved1;
    std::uint16_t reserved2;
    std::uint16_t reserved3;
    union {
        std::int16_t iVal;
        std::int32_t lVal;
        double dblVal;
        const char* strVal;
        HRESULT scode;
    };
};

// Arguments are passed in reverse order, the last argument first, as dispatch callers expect.
struct DISPPARAMS {
    VARIANT* rgvarg;
    DISPID* rgdispidNamedArgs;
    std::uint32_t cArgs;
    std::uint32_t cNamedArgs;
};

struct EXCEPINFO {
    std::uint16_t wCode;
    std::uint16_t wReserved;
    const char* bstrSource;
    const char* bstrDescription;
    HRESULT scode;
};

constexpr std::uint16_t DISPATCH_METHOD = 1;

class ITypeInfo; // described by each component's embedded interface description

class IDispatch : public IUnknown {
public:
    virtual HRESULT GetTypeInfoCount(std::uint32_t* pctinfo) = 0;
    virtual HRESULT GetTypeInfo(std::uint32_t iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, const char** rgszNames, std::uint32_t cNames,
                                  LCID lcid, DISPID* rgDispId) = 0;
    virtual HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, std::uint16_t wFlags,
                           DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                           std::uint32_t* puArgErr) = 0;

protected:
    ~IDispatch() = default;
};

} // namespace dw::com
