#pragma once
#include <cstdint>

#include "dw/platform/platform_export.h"

namespace dw::platform {

// Milliseconds from a steady clock, wrapping like a 32-bit tick count.
DW_PLATFORM_EXPORT std::uint32_t tickCount();

} // namespace dw::platform
