#include "render/handgeometry.h"

#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "design/toolbarbuttons.h"

namespace dw::render {

namespace {

// After each step an index of 0 or less names six o'clock as 360.
template <typename Index> void wrapIndex(Index& index) {
    if (index <= 0) {
        index = 360;
    }
}

} // namespace

MovementOptions MovementOptions::fromToolbar(const design::ToolbarButtons& toolbar) {
    MovementOptions options;
    options.smoothSecond = toolbar.pressed("IDM_SMOOTHS");
    options.smoothMinute = toolbar.pressed("IDM_SMOOTHM");
    options.smoothHour = toolbar.pressed("IDM_SMOOTHH");
    options.jitter = toolbar.pressed("IDM_JITTERS");
    return options;
}

HandGeometry::HandGeometry() : mTables(std::make_unique<HandTables>()) {}

void HandGeometry::computeInnerCircle(const design::ClockDesign& design) {
    auto fresh = std::make_unique<HandTables>(*mTables);
    render::computeInnerCircle(*fresh, design);
    mTables = std::move(fresh);
}

void HandGeometry::computeHandTables(const design::ClockDesign& design) {
    auto fresh = std::make_unique<HandTables>(*mTables);
    render::computeHandTables(*fresh, design);
    mTables = std::move(fresh);
}

void HandGeometry::refresh(const design::ClockDesign& design) {
    computeInnerCircle(design);
    computeHandTables(design);
}

std::int32_t HandGeometry::smoothHourStart(std::int32_t hours, std::int32_t minutes) {
    std::int32_t mark = design::toInt32(hours * 5.0 + minutes / 12.0);
    if (mark >= 60) {
        mark %= 60;
    }
    const std::int32_t index = minutePosition(mark);
    mHourCounter = minutes % 2 == 0 ? 1 : 0;
    return index;
}

std::int32_t HandGeometry::smoothMinuteStart(std::int32_t index, std::int16_t seconds) {
    const std::int32_t result = design::toInt32(index - seconds / 10.0);
    mMinuteCounter = static_cast<std::int16_t>(seconds % 10);
    return result;
}

HandIndices HandGeometry::startIndices(std::int32_t hours, std::int32_t minutes,
                                       std::int16_t seconds, const MovementOptions& options) {
    HandIndices indices;
    indices.hour = options.smoothHour ? smoothHourStart(hours, minutes) : hourPosition(hours);
    indices.minute = minutePosition(minutes);
    if (options.smoothMinute) {
        indices.minute = smoothMinuteStart(indices.minute, seconds);
    }
    indices.second = minutePosition(seconds);
    return indices;
}

// The order is fixed: the smooth-minute move sees the counter before this step's increment, and
// the hour test sees the minute index before its wrap.
void HandGeometry::advanceTime(HandIndices& indices, const MovementOptions& options,
                               std::int16_t subStep) {
    indices.second = static_cast<std::int16_t>(indices.second - (options.smoothSecond ? 1 : 6));
    wrapIndex(indices.second);
    if (options.smoothMinute && mMinuteCounter >= 10) {
        indices.minute -= 1;
        mMinuteCounter = 0;
    }
    if ((!options.smoothSecond || subStep == 0) && mMinuteCounter < kMinuteCounterLimit) {
        ++mMinuteCounter;
    }
    if (indices.second == 180) {
        if (!options.smoothMinute) {
            indices.minute -= 6;
        }
        if (!options.smoothHour && indices.minute == 180) {
            indices.hour -= 30;
        }
        if (options.smoothHour) {
            if (mHourCounter >= 1) {
                indices.hour -= 1;
                mHourCounter = 0;
            } else {
                ++mHourCounter;
            }
        }
    }
    wrapIndex(indices.hour);
    wrapIndex(indices.minute);
}

std::int16_t jitterSecond(std::int16_t secondIndex, const std::array<std::int16_t, 6>& offsets,
                          int frame) {
    if (frame < 0 || frame >= static_cast<int>(offsets.size())) {
        throw design::RuntimeError(kSubscriptOutOfRange);
    }
    return design::toInt16(secondIndex + offsets[static_cast<std::size_t>(frame)]);
}

double bitmapTheta(std::int32_t index) {
    const std::int32_t turned = index < 180 ? index + 180 : index - 180;
    return turned / 360.0 * 6.28;
}

} // namespace dw::render
