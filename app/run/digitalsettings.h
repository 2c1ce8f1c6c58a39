#pragma once
// What a digital-mode run reads from the design when it starts, with the checks that refuse a
// run. The read-out's fixed texts are not here: a run reads them for every frame.
#include <cstdint>
#include <optional>
#include <string>

#include "run/digitalreadout.h"
#include "run/digitaltime.h"

namespace dw::design {
struct ClockDesign;
class Host;
} // namespace dw::design

namespace dw::run {

struct DigitalSettings {
    DigitalTime start;
    HourMode hourMode = HourMode::TwentyFour;
    TimeDirection direction = TimeDirection::Ascending;
    bool zeroExtend = false;
    ReadoutStyle style;
    bool separatorsOn = true;    // at the first frame
    std::int16_t flashEvery = 0; // frames between flips; read only when flashing
    std::int32_t durationSeconds = 0;
    std::int32_t framesPerSecond = 1;
    std::int16_t frameIntervalMs = 0; // 1000 / frames per second; 0 when only measuring
    std::int16_t left = 0, top = 0;   // the confirmed read-out position
    std::string fontFamily;
    std::int16_t fontPoints = 0;
    bool bold = false, italic = false;
    bool paced = false; // wait in real time between frames of a screen run
};

// The refusals, in the order they are checked.
inline constexpr const char* kInvalidHour24 = "Invalid hour for 24 hour clock mode";
inline constexpr const char* kInvalidHour12 = "Invalid hour for 12 hour clock mode";
inline constexpr const char* kInvalidMinutes = "Invalid minutes";
inline constexpr const char* kInvalidSeconds = "Invalid seconds";
inline constexpr const char* kInvalidDuration = "Invalid duration";
inline constexpr const char* kInvalidFlashEvery =
    "Flash separator frame count value cannot be less than or equal to 0";
inline constexpr const char* kNoFont = "No font specified";

// Reads the run's inputs. A value out of range shows its refusal (the time and duration without
// an icon, the flash count and font with the information icon) and gives nullopt. Throws
// RuntimeError when a number does not fit its integer, or, unless only measuring, when the frame
// rate is below 1 (the commands refuse that before a run starts).
std::optional<DigitalSettings> readDigitalSettings(const design::ClockDesign& design,
                                                   design::Host& host, bool measureOnly);

} // namespace dw::run
