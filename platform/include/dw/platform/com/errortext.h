#pragma once
// The platform's description of a status code, as a message box shows it to the user.
#include <string>

#include "dw/platform/com/hresult.h"
#include "dw/platform/platform_export.h"

namespace dw::com {

// The text for a status code, e.g. "Class not registered", without a trailing line break.
// Codes without a text of their own give "Unknown error 0xXXXXXXXX". Cannot fail.
DW_PLATFORM_EXPORT std::string describeHResult(HRESULT hr);

} // namespace dw::com
