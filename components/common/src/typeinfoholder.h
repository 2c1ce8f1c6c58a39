#pragma once
// The type information of the server's interface: loaded on first use from the registered type
// library (under a lock) and kept until the library unloads.
#include "dw/components/interfacedescription.h"
#include "dw/platform/com/typeinfo.h"

namespace dw::components {

// The interface description once the type library has been found registered. Fails with the
// registry's answer (TYPE_E_LIBNOTREGISTERED, TYPE_E_CANTLOADLIBRARY, REGDB_E_READREGDB) and
// tries again at the next call.
dw::com::HRESULT loadTypeInfo(const InterfaceDescription** out) noexcept;

// A new ITypeInfo over the description, with one reference; null when memory runs out.
dw::com::ITypeInfo* newTypeInfo(const InterfaceDescription& iface) noexcept;

// Member name then parameter names to identifiers, case-insensitively: the member's dispatch
// identifier, then each parameter's position. Unknown names get DISPID_UNKNOWN and make the
// result DISP_E_UNKNOWNNAME.
dw::com::HRESULT idsOfNames(const InterfaceDescription& iface, const char** names,
                            std::uint32_t count, dw::com::DISPID* ids) noexcept;

} // namespace dw::components
