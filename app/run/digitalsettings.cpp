#include "run/digitalsettings.h"

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "render/handcolour.h"

namespace dw::run {

namespace {

using design::int16Of;
using design::int32Of;
using design::MessageIcon;

bool ticked(std::int16_t check) {
    return check == 1;
}

// The start time and the duration; false after showing the first refusal.
bool readTimes(const design::ClockDesign& design, design::Host& host, DigitalSettings& s) {
    s.hourMode = ticked(design.ac_chkHourMode) ? HourMode::TwentyFour : HourMode::Twelve;
    s.start.hours = int32Of(design.timeh);
    const bool hour24 = s.hourMode == HourMode::TwentyFour;
    if (hour24 ? (s.start.hours < 0 || s.start.hours > 23)
               : (s.start.hours < 1 || s.start.hours > 12)) {
        host.showMessage(hour24 ? kInvalidHour24 : kInvalidHour12, MessageIcon::None);
        return false;
    }
    s.start.minutes = int32Of(design.timem);
    if (s.start.minutes < 0 || s.start.minutes > 59) {
        host.showMessage(kInvalidMinutes, MessageIcon::None);
        return false;
    }
    s.start.seconds = int16Of(design.times);
    if (s.start.seconds < 0 || s.start.seconds > 59) {
        host.showMessage(kInvalidSeconds, MessageIcon::None);
        return false;
    }
    s.durationSeconds = int32Of(design.duration);
    if (s.durationSeconds < 1) {
        host.showMessage(kInvalidDuration, MessageIcon::None);
        return false;
    }
    return true;
}

// Flashing and the font; false after showing the refusal.
bool readLook(const design::ClockDesign& design, design::Host& host, DigitalSettings& s) {
    s.style.flash = ticked(design.ac_chkFlash);
    if (s.style.flash) {
        s.flashEvery = int16Of(design.ac_FlashEvery);
        if (s.flashEvery <= 0) {
            host.showMessage(kInvalidFlashEvery, MessageIcon::Information);
            return false;
        }
    }
    if (design.strFont.empty()) {
        host.showMessage(kNoFont, MessageIcon::Information);
        return false;
    }
    s.fontFamily = design.strFont;
    s.fontPoints = design.nFSize;
    s.bold = design.bFBold;
    s.italic = design.bFItalic;
    return true;
}

void readSwitchesAndColours(const design::ClockDesign& design, DigitalSettings& s) {
    s.start.isAM = ticked(design.ac_chkAMPM);
    s.direction = ticked(design.ac_chkAsc) ? TimeDirection::Ascending : TimeDirection::Descending;
    s.zeroExtend = ticked(design.ac_chkZE);
    s.separatorsOn = ticked(design.ac_chkInitiallyOn);
    s.paced = ticked(design.synctest);
    s.left = design.nDigitalLeft;
    s.top = design.nDigitalTop;
    s.style.hourMode = s.hourMode;
    s.style.secondsOnly = ticked(design.ac_chkSecondsOnly);
    s.style.ampmAfter = ticked(design.ac_chkAMPMpos);
    s.style.separatorColour =
        render::colourOfNumbers(design.ac_edtSepR, design.ac_edtSepG, design.ac_edtSepB);
    s.style.hourColour = render::colourOfNumbers(design.hred, design.hgreen, design.hblue);
    s.style.minuteColour = render::colourOfNumbers(design.mred, design.mgreen, design.mblue);
    s.style.secondColour = render::colourOfNumbers(design.sred, design.sgreen, design.sblue);
}

} // namespace

std::optional<DigitalSettings> readDigitalSettings(const design::ClockDesign& design,
                                                   design::Host& host, bool measureOnly) {
    DigitalSettings s;
    if (!readTimes(design, host, s) || !readLook(design, host, s)) {
        return std::nullopt;
    }
    readSwitchesAndColours(design, s);
    s.framesPerSecond = int32Of(design.copyfps);
    if (!measureOnly) {
        // A measuring pass draws one frame and never waits, so its frame rate does not matter.
        if (s.framesPerSecond < 1) {
            throw design::RuntimeError("Invalid copy frames per second!");
        }
        s.frameIntervalMs = design::toInt16(1000.0 / s.framesPerSecond);
    }
    return s;
}

} // namespace dw::run
