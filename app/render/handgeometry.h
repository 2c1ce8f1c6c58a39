#pragma once
// The hand geometry a designer session keeps between runs: the position tables and the two
// movement counters, with the operations that turn a clock time into angle indices and advance
// them one step of a run.
#include <array>
#include <cstdint>
#include <memory>

#include "render/handtables.h"

namespace dw::design {
class ToolbarButtons;
}

namespace dw::render {

// The movement buttons of the appearance toolbar, pressed or not, as a run reads them at its start.
struct MovementOptions {
    bool smoothSecond = false; // IDM_SMOOTHS: 1 degree per step, six steps a second
    bool smoothMinute = false; // IDM_SMOOTHM: 1 degree every 10 seconds
    bool smoothHour = false;   // IDM_SMOOTHH: 1 degree every 2 minutes
    bool jitter = false;       // IDM_JITTERS: five wobbling frames at the start of each second

    // Reads the four buttons (pressed means value 1).
    static MovementOptions fromToolbar(const design::ToolbarButtons& toolbar);
};

// The three angle indices of a run.
struct HandIndices {
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int16_t second = 0;
    bool operator==(const HandIndices&) const = default;
};

class HandGeometry {
public:
    HandGeometry();

    const HandTables& tables() const { return *mTables; }

    // Recomputes the inner-circle columns. On a run-time error (a value that does not fit 16
    // bits) the tables keep their previous content.
    void computeInnerCircle(const design::ClockDesign& design);

    // Recomputes every column; same failure rule.
    void computeHandTables(const design::ClockDesign& design);

    // The refresh after an opening, a load or a centring: the inner circle, then all tables.
    void refresh(const design::ClockDesign& design);

    // The hour index of the nearest minute mark to the time, for smooth hours; sets the hour
    // counter. Hours past 12 wrap round the dial; throws RuntimeError("Subscript out of range")
    // when the mark falls before the table (negative hours).
    std::int32_t smoothHourStart(std::int32_t hours, std::int32_t minutes);

    // The minute index moved back by the seconds already gone, for smooth minutes; sets the
    // minute counter. Throws RuntimeError("Overflow") when the result does not fit 32 bits.
    std::int32_t smoothMinuteStart(std::int32_t index, std::int16_t seconds);

    // The indices of a clock time at a run start (hours 1 to 12, minutes and seconds 0 to 59, as
    // the run has checked). Hour 0 and minute or second 60 read the tables' unused entries;
    // anything further out throws RuntimeError("Subscript out of range").
    HandIndices startIndices(std::int32_t hours, std::int32_t minutes, std::int16_t seconds,
                             const MovementOptions& options);

    // One step of a run, taken before the step's frames are drawn. `subStep` is the count of
    // smooth-second steps already made within the current second (0 to 5).
    void advanceTime(HandIndices& indices, const MovementOptions& options, std::int16_t subStep);

    std::int16_t hourCounter() const { return mHourCounter; }
    std::int16_t minuteCounter() const { return mMinuteCounter; }

    // Only "has it reached 10" matters to the minute counter; holding it there keeps a long run
    // (or many runs) from overflowing its 16 bits without changing any step.
    static constexpr std::int16_t kMinuteCounterLimit = 10;

private:
    std::unique_ptr<HandTables> mTables;
    std::int16_t mHourCounter = 0;   // minute boundaries since the smooth hour hand last moved
    std::int16_t mMinuteCounter = 0; // seconds since the smooth minute hand last moved
};

// The second index of jitter frame `frame` (0 to 4): the index plus that frame's offset, so that
// five frames in a row wobble about the position and come back to it. Throws RuntimeError
// ("Subscript out of range") for a frame outside the table, ("Overflow") past 16 bits.
std::int16_t jitterSecond(std::int16_t secondIndex, const std::array<std::int16_t, 6>& offsets,
                          int frame);

// The rotation of a bitmap hand in radians: 0 at twelve o'clock, growing anticlockwise. Here the
// division comes before the product with 6.28.
double bitmapTheta(std::int32_t index);

} // namespace dw::render
