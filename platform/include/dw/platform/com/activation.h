#pragma once
// Creating objects by class identifier: the registry names the library of a class under
// CLSID\{clsid}\InprocServer32; the library is loaded once, asked for its class factory through
// DllGetClassObject, and unloaded again by CoFreeUnusedLibraries when DllCanUnloadNow says so.
#include <cstddef>
#include <string>

#include "dw/platform/com/unknown.h"
#include "dw/platform/platform_export.h"

namespace dw::com {

// The four entry points of an in-process server. The identifiers are passed by address.
using DllGetClassObjectFn = HRESULT (*)(const CLSID* rclsid, const IID* riid, void** ppv);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();

// Gets the class object of a registered class, asking it for `riid`. On failure *ppv is null
// and the result says why: E_POINTER (null ppv), REGDB_E_READREGDB (registry unreadable),
// REGDB_E_CLASSNOTREG (no library registered), CO_E_DLLNOTFOUND (the registered file does not
// exist), CO_E_ERRORINDLL (not a loadable library, or without DllGetClassObject), or the
// library's own answer (CLASS_E_CLASSNOTAVAILABLE, E_NOINTERFACE, ...).
DW_PLATFORM_EXPORT HRESULT CoGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);

// Creates an object of a registered class and asks it for `riid`; with an outer object the new
// object is aggregated and only IID_IUnknown may be asked (else CLASS_E_NOAGGREGATION). Fails as
// CoGetClassObject does, or with the class factory's answer; *ppv is null on failure.
DW_PLATFORM_EXPORT HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, REFIID riid,
                                            void** ppv);

// Finds the class identifier of a program identifier ("Spinblit.gdiext.1"), following CurVer
// of a version-independent one. REGDB_E_CLASSNOTREG when unknown, E_POINTER for null pointers.
DW_PLATFORM_EXPORT HRESULT CLSIDFromProgID(const char* progId, CLSID* pclsid);

// Asks every library loaded by CoGetClassObject whether it can be unloaded and unloads those
// answering S_OK. Pointers into an unloaded library must not be held; the library's lock count
// promises that none are.
DW_PLATFORM_EXPORT void CoFreeUnusedLibraries();

// True when the library registered at `path` is loaded by this runtime (for tests and logs).
DW_PLATFORM_EXPORT bool isServerLibraryLoaded(const std::string& path);

} // namespace dw::com
