#pragma once
// Registration of the server's class and type library in the process's registry.
#include <string>

#include "dw/platform/com/hresult.h"

namespace dw::components {

// The absolute path of the library this code is linked into, found with dladdr; empty when it
// cannot be found.
std::string modulePath();

// Runs the class's registry script in register mode, then registers the type library. Stops
// at the first failing step and returns its error; E_FAIL when the library's path is unknown.
dw::com::HRESULT registerServer();

// Runs the script in unregister mode (its error is returned), then removes the type library or
// leaves it, as the server definition says.
dw::com::HRESULT unregisterServer();

} // namespace dw::components
