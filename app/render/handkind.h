#pragma once
// The three analogue hands; the letters h, m and s of the design's field names.
#include <array>

namespace dw::render {

enum class HandKind { Hour, Minute, Second };

inline constexpr std::array<HandKind, 3> kHandKinds{HandKind::Hour, HandKind::Minute,
                                                    HandKind::Second};

// The one of three per-hand things that belongs to `hand`.
template <typename T>
constexpr T& ofHand(HandKind hand, T& hour, T& minute, T& second) {
    switch (hand) {
    case HandKind::Hour:
        return hour;
    case HandKind::Minute:
        return minute;
    case HandKind::Second:
        break;
    }
    return second;
}

} // namespace dw::render
