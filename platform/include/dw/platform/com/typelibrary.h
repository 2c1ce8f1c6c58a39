#pragma once
// Registration of type libraries. A component's type library is the interface description
// embedded in the component itself; registering it records, under
// TypeLib\{libid}\<major>.<minor>, its help string, FLAGS, HELPDIR and, under the subkey
// "0\linux", the path of the library that embeds it.
#include <cstdint>
#include <string>

#include "dw/platform/com/guid.h"
#include "dw/platform/com/hresult.h"
#include "dw/platform/platform_export.h"

namespace dw::com {

struct TypeLibraryRecord {
    GUID libid{};
    std::uint16_t major = 1;
    std::uint16_t minor = 0;
    std::string helpString; // "spinblit 1.0 Type Library"
    std::string modulePath; // the library embedding the description (absolute)
};

// Writes the record into the process's registry. E_INVALIDARG when the module path is empty;
// the registry's own error when it cannot be written.
DW_PLATFORM_EXPORT HRESULT registerTypeLibrary(const TypeLibraryRecord& record);

// Removes TypeLib\{libid}\<major>.<minor>, and TypeLib\{libid} when no other version is left.
// TYPE_E_LIBNOTREGISTERED when that version was not registered; registry errors as they come.
DW_PLATFORM_EXPORT HRESULT unregisterTypeLibrary(const GUID& libid, std::uint16_t major,
                                                 std::uint16_t minor);

// Finds the registered library path of a type library version. TYPE_E_LIBNOTREGISTERED when the
// version or its path is not registered, TYPE_E_CANTLOADLIBRARY when the path names no file,
// REGDB_E_READREGDB when the registry cannot be read, E_POINTER for a null `path`.
DW_PLATFORM_EXPORT HRESULT queryTypeLibraryPath(const GUID& libid, std::uint16_t major,
                                                std::uint16_t minor, std::string* path);

} // namespace dw::com
