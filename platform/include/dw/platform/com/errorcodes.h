#pragma once
// Status codes beyond hresult.h that the component runtime and the server frame return, with
// the values of common practice so that a code read in a log means what a reader expects.
#include "dw/platform/com/hresult.h"
#include "dw/platform/com/unknown.h"

namespace dw::com {

constexpr HRESULT REGDB_E_KEYMISSING = static_cast<HRESULT>(0x80040152u);
constexpr HRESULT DISP_E_NONAMEDARGS = static_cast<HRESULT>(0x80020007u);
constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008u);
constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
constexpr HRESULT TYPE_E_CANTLOADLIBRARY = static_cast<HRESULT>(0x80029C4Au);

// The identifier GetIDsOfNames gives a name it does not know.
constexpr DISPID DISPID_UNKNOWN = -1;
// The member identifier that names the interface itself in type information queries.
constexpr DISPID MEMBERID_NIL = -1;

} // namespace dw::com
