#pragma once
// Dispatch arguments written the way a test reads them: i4(3), r8(0.5), str("name").
#include <cstdint>

#include "dw/platform/com/dispatch.h"

namespace dw::testing {

inline com::VARIANT i2(std::int16_t v) {
    com::VARIANT x{};
    x.vt = com::VT_I2;
    x.iVal = v;
    return x;
}

inline com::VARIANT i4(std::int32_t v) {
    com::VARIANT x{};
    x.vt = com::VT_I4;
    x.lVal = v;
    return x;
}

inline com::VARIANT r8(double v) {
    com::VARIANT x{};
    x.vt = com::VT_R8;
    x.dblVal = v;
    return x;
}

inline com::VARIANT str(const char* v) {
    com::VARIANT x{};
    x.vt = com::VT_BSTR;
    x.strVal = v;
    return x;
}

} // namespace dw::testing
