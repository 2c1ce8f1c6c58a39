#pragma once
// Identifiers as text, the way the registry and registration scripts write them:
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hexadecimal digits.
#include <string>
#include <string_view>

#include "dw/platform/com/guid.h"
#include "dw/platform/platform_export.h"

namespace dw::com {

// Formats an identifier in braces with upper-case digits. Cannot fail.
DW_PLATFORM_EXPORT std::string guidToString(const GUID& guid);

// Parses "{8-4-4-4-12}" hexadecimal text (either case, braces required, nothing around it).
// False, and `out` left alone, when the text is not exactly that or `out` is null.
DW_PLATFORM_EXPORT bool guidFromString(std::string_view text, GUID* out);

} // namespace dw::com
