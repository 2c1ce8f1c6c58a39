#include "render/picturetools.h"

#include <algorithm>
#include <cstdio>

#include "design/clockdesign.h"
#include "design/colourtools.h"
#include "design/numbertext.h"
#include "design/pictureslots.h"
#include "design/picturewindowmodel.h"
#include "design/runtimeerror.h"
#include "dw/platform/surface.h"
#include "render/toolmarks.h"

namespace dw::render {

namespace {

using design::PictureWindowModel;

bool ticked(std::int16_t check) {
    return check == 1;
}

// A position as the tools write it into a text box: decimal, no blanks ("12.5", ".5").
std::string positionText(double value) {
    return design::shortestDecimal(value);
}

// Picture1 takes its clean copy again; the caller tells the view once it has drawn.
void wipeMarks(PictureWindowModel& window) {
    window.Picture1().copyFrom(window.Picture1b());
}

// Above 255 counts as 255; below 0 as 0, so a negative box cannot spill into the other bytes.
std::int32_t componentOf(const std::string& box) {
    return std::clamp<std::int32_t>(design::int16Of(box), 0, 255);
}

} // namespace

std::string pointerPositionText(double x, double y) {
    return "(" + positionText(x) + ", " + positionText(y) + ")";
}

std::int32_t toolColourOf(const design::ClockDesign& design) {
    return componentOf(design.ctr) | componentOf(design.ctg) << 8 | componentOf(design.ctb) << 16;
}

std::int32_t colourAt(const PictureWindowModel& window, double x, double y) {
    try {
        const auto colour =
            platform::GetPixel(window.Picture1().handle(), design::toInt32(x), design::toInt32(y));
        return static_cast<std::int32_t>(colour);
    } catch (const design::RuntimeError&) {
        return static_cast<std::int32_t>(platform::CLR_INVALID); // far off any pixel
    }
}

std::string colourReadoutText(std::int32_t colour) {
    if (colour == static_cast<std::int32_t>(platform::CLR_INVALID)) {
        return {};
    }
    char text[40];
    std::snprintf(text, sizeof text, "0x%06X (%d, %d, %d)", static_cast<unsigned>(colour),
                  colour & 255, (colour >> 8) & 255, (colour >> 16) & 255);
    return text;
}

PictureTools::PictureTools(design::ClockDesign& design, const design::PictureSlots& pictures,
                           const ToolCommands& commands, std::int32_t colour)
    : mDesign(design), mPictures(pictures), mCommands(commands), mColour(colour) {}

void PictureTools::mouseDown(const design::HeldPictureWindow& window, MouseButton button, double x,
                             double y) {
    if (ticked(mDesign.circ)) {
        circleClick(*window.get(), button, x, y);
    } else if (ticked(mDesign.rect)) {
        rectangleClick(x, y);
    } else {
        design::getColorValues(mDesign, colourAt(*window.get(), x, y));
    }
}

void PictureTools::mouseMove(const design::HeldPictureWindow& window, bool buttonHeld, double x,
                             double y) {
    if (ticked(mDesign.circ)) {
        circleTrack(*window.get(), buttonHeld, x, y);
    } else if (ticked(mDesign.rect)) {
        rectangleTrack(window, x, y);
    }
}

void PictureTools::mouseUp(const design::HeldPictureWindow& window, double x) {
    design::CircleToolState& state = window->circleTool();
    if (!ticked(mDesign.circ) || !state.centreSet || state.radiusSet) {
        return;
    }
    // The horizontal distance to where the button came up: press on the dial's centre, drag
    // sideways to its rim.
    state.radius = design::toInt16(x - state.centreX);
    state.radiusSet = true;
}

void PictureTools::circleClick(PictureWindowModel& window, MouseButton button, double x, double y) {
    design::CircleToolState& state = window.circleTool();
    if (!state.centreSet) {
        const std::int16_t centreX = design::toInt16(x);
        const std::int16_t centreY = design::toInt16(y);
        state = {true, false, centreX, centreY, 4};
        drawToolCircle(window.Picture1(), centreX, centreY, state.radius, mColour);
        window.pictureChanged();
        return;
    }
    if (!state.radiusSet) {
        return; // still placing: the release fixes the radius
    }
    if (button != MouseButton::Left) {
        state.centreSet = state.radiusSet = false;
        window.restore();
        return;
    }
    // The circle stays drawn where it was confirmed; the state is idle before "Set centre" runs,
    // so a failure there cannot leave the tool half-way.
    const std::string left = positionText(x);
    const std::string top = positionText(y);
    state.centreSet = state.radiusSet = false;
    mDesign.txtLeft = left;
    mDesign.txtTop = top;
    mDesign.radius = std::to_string(state.radius);
    mCommands.confirmCentre();
}

void PictureTools::circleTrack(PictureWindowModel& window, bool buttonHeld, double x, double y) {
    const design::CircleToolState& state = window.circleTool();
    if (!state.centreSet) {
        return;
    }
    if (!state.radiusSet) {
        if (!buttonHeld) {
            return;
        }
        wipeMarks(window);
        drawToolCircle(window.Picture1(), state.centreX, state.centreY, x - state.centreX, mColour);
    } else {
        wipeMarks(window);
        drawToolCircle(window.Picture1(), x, y, state.radius, mColour);
    }
    window.pictureChanged();
}

void PictureTools::rectangleClick(double x, double y) {
    if (ticked(mDesign.chkDigital)) {
        mDesign.edtLeft = positionText(x);
        mDesign.edtTop = positionText(y);
        mCommands.confirmReadoutPosition();
    } else if (mPictures.isBMPobject(design::PictureSlot::Hour)) {
        // Not confirmed: "Set Top Left" takes them when the user is content.
        mDesign.edtBMPX = positionText(x);
        mDesign.edtBMPY = positionText(y);
    }
}

void PictureTools::rectangleTrack(const design::HeldPictureWindow& window, double x, double y) {
    QSize size;
    if (ticked(mDesign.chkDigital)) {
        // The measuring pass restores the main picture, on which the read-out is placed; no
        // other picture is wiped.
        size = mCommands.measureReadout();
        if (!window.stillInSlot()) {
            return;
        }
    } else {
        const auto hour = mPictures.window(design::PictureSlot::Hour);
        if (!hour) {
            return;
        }
        try {
            size = QSize(design::toInt16(hour->scaleWidth()), design::toInt16(hour->scaleHeight()));
        } catch (const design::RuntimeError&) {
            return; // a bitmap too large to frame: nothing drawn, as for any drawing error
        }
        wipeMarks(*window.get());
    }
    drawToolRectangle(window->Picture1(), x, y, size.width(), size.height(), mColour);
    window->pictureChanged();
}

} // namespace dw::render
