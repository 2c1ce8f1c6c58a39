#pragma once
// What one component library tells the server frame: its one creatable class, the embedded
// description of the class's dual interface, its type library identity and its registry script.
// A component defines serverDefinition() once (see the example at the end of this file); the
// frame provides the four exports, the class factory, the lock count, IDispatch and
// registration from it.
#include <cstdint>
#include <new>

#include "dw/components/interfacedescription.h"
#include "dw/platform/com/unknown.h"

namespace dw::components {

struct TypeLibraryDescription {
    const char* name;       // e.g. "SPINBLITLib"
    const char* helpString; // e.g. "spinblit 1.0 Type Library"; the registered description
    dw::com::GUID libid;
    std::uint16_t major;
    std::uint16_t minor;
    std::uint32_t lcid; // e.g. 0x0409
};

// What DllUnregisterServer does with the type library after the script has run.
enum class TypeLibraryOnUnregister {
    Remove, // unregister it and return that result
    Keep,   // leave it registered; the result is the script's
};

// Creates a new object for the class factory: `outer` is the controlling unknown when
// aggregated, else null. On success *inner is the object's own (non-delegating) IUnknown with
// one reference. See createObject<T> below.
using ObjectCreator = dw::com::HRESULT (*)(dw::com::IUnknown* outer, dw::com::IUnknown** inner);

struct ServerDefinition {
    const char* projectName; // the library's project name, e.g. "spinblit"
    dw::com::CLSID clsid;
    const char* className;       // e.g. "gdiext"
    const char* classHelpString; // e.g. "gdiext Class"
    const InterfaceDescription* iface;
    TypeLibraryDescription typeLibrary;
    // Registry script run by DllRegisterServer and DllUnregisterServer; %MODULE% is replaced by
    // the library's own absolute path. Syntax: see registryscript.h.
    const char* registryScript;
    ObjectCreator createObject;
    TypeLibraryOnUnregister onUnregister;
};

// Defined by each component library, exactly once. Must not throw.
const ServerDefinition& serverDefinition();

// The ObjectCreator for a class T derived from DualObject<Interface>: T(outer) must construct
// it. E_POINTER for a null `inner`, E_OUTOFMEMORY when memory runs out, E_UNEXPECTED when the
// constructor throws anything else.
template <class T>
dw::com::HRESULT createObject(dw::com::IUnknown* outer, dw::com::IUnknown** inner) noexcept {
    if (inner == nullptr) {
        return dw::com::E_POINTER;
    }
    *inner = nullptr;
    try {
        *inner = (new T(outer))->innerUnknown();
        return dw::com::S_OK;
    } catch (const std::bad_alloc&) {
        return dw::com::E_OUTOFMEMORY;
    } catch (...) {
        return dw::com::E_UNEXPECTED;
    }
}

} // namespace dw::components

// Example, the whole of a component's glue (module.cpp):
//
//   class Gdiext final : public dw::components::DualObject<spinblit::Igdiext> {
//   public:
//       using DualObject::DualObject;
//       dw::com::HRESULT cleanupRotation() override { return dw::com::S_OK; }
//       ...
//   };
//
//   const dw::components::ServerDefinition& dw::components::serverDefinition() {
//       static const InterfaceDescription iface{"Igdiext", "Igdiext Interface",
//           spinblit::IID_Igdiext, {method<&spinblit::Igdiext::cleanupRotation>(
//               "cleanupRotation", "method cleanupRotation"), ...}};
//       static const ServerDefinition def{"spinblit", spinblit::CLSID_gdiext, "gdiext",
//           "gdiext Class", &iface, {"SPINBLITLib", "spinblit 1.0 Type Library",
//           spinblit::LIBID_SPINBLITLib, 1, 0, 0x0409}, kScript, &createObject<Gdiext>,
//           TypeLibraryOnUnregister::Remove};
//       return def;
//   }
//
// and in CMake: dw_add_component(spinblit SOURCES ... LIBS ...).
