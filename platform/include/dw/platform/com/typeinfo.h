#pragma once
// Type information of a dispatch interface: what a late-binding caller can learn about the
// members before calling them. Texts returned stay valid while the ITypeInfo is held.
#include <cstdint>

#include "dw/platform/com/dispatch.h"

namespace dw::com {

class ITypeInfo : public IUnknown {
public:
    // The interface's identifier.
    virtual HRESULT GetGuid(GUID* pguid) = 0;
    // Number of member functions; their dispatch identifiers are 1 to that number.
    virtual HRESULT GetFuncCount(std::uint32_t* pcFuncs) = 0;
    // Name and help string of a member, or of the interface for MEMBERID_NIL. Either out
    // pointer may be null. DISP_E_MEMBERNOTFOUND for an unknown member.
    virtual HRESULT GetDocumentation(DISPID memid, const char** pName, const char** pDoc) = 0;
    // The member's name followed by its parameters' names, at most cMaxNames of them.
    virtual HRESULT GetNames(DISPID memid, const char** rgszNames, std::uint32_t cMaxNames,
                             std::uint32_t* pcNames) = 0;
    // The member's parameter types in declaration order, at most cMax of them.
    virtual HRESULT GetParamTypes(DISPID memid, VARTYPE* rgvt, std::uint32_t cMax,
                                  std::uint32_t* pcParams) = 0;
    // Member name first, then parameter names, as IDispatch::GetIDsOfNames.
    virtual HRESULT GetIDsOfNames(const char** rgszNames, std::uint32_t cNames, DISPID* pMemId) = 0;

protected:
    ~ITypeInfo() = default;
};

} // namespace dw::com
