#pragma once
// The three analogue hands; the letters h, m and s of the design's field names.
#include <array>

namespace dw::render {

enum class HandKind { Hour, Minute, Second };

inline constexpr std::array<HandKind, 3> kHandKinds{HandKind::Hour, HandKind::Minute,
                                                    HandKind::Second};

} // namespace dw::render
