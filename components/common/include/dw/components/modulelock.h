#pragma once
// The lock count of one component library: live objects (class factories and type information
// included) plus class-factory locks. The library may be unloaded when it is 0. Interlocked, so
// any thread may change it.
#include <cstdint>

#include "dw/platform/com/hresult.h"

namespace dw::components {

void lockModule() noexcept;
void unlockModule() noexcept;
std::int32_t moduleLockCount() noexcept;

// LockServer: raises or lowers the count. Lowering it below the locks taken is refused with
// E_UNEXPECTED and changes nothing, so a stray unlock cannot let the library go while objects
// live.
dw::com::HRESULT lockServer(bool lock) noexcept;

} // namespace dw::components
