#pragma once
// The mouse tools of a picture window, on picture coordinates (real numbers as the mouse gives
// them): the colour pick, the circle positioner and the rectangle positioner. They draw on the
// window's Picture1 only, so its clean copies never change, and write what they find into the
// design's text boxes. The run lock and the position read-out are the caller's.
#include <cstdint>
#include <functional>
#include <string>

#include <QSize>

namespace dw::design {
struct ClockDesign;
class HeldPictureWindow;
class PictureSlots;
class PictureWindowModel;
} // namespace dw::design

namespace dw::render {

// The status-bar panel that shows the pointer position.
inline constexpr const char* kPositionPanel = "STA_POS";

enum class MouseButton { Left, Right, Middle };

// What the tools need from the session around them. Each may show a message.
struct ToolCommands {
    // The digital read-out's measuring pass; its size, 0 x 0 when it was refused.
    std::function<QSize()> measureReadout;
    // "Set centre" on txtLeft and txtTop.
    std::function<void()> confirmCentre;
    // The advanced settings window's setPos on edtLeft and edtTop.
    std::function<void()> confirmReadoutPosition;
};

// The pointer position as its status panel shows it, e.g. "(120, 45)". Never fails.
std::string pointerPositionText(double x, double y);

// The tool colour, 0x00BBGGRR, from the integer values of ctr, ctg and ctb, each held to 0..255.
// RuntimeError("Overflow") when a box does not fit 16 bits.
std::int32_t toolColourOf(const design::ClockDesign& design);

// The colour of the window's Picture1 at the pixel nearest (x, y), halves to even, as
// 0x00BBGGRR; -1 (the invalid colour) off the picture.
std::int32_t colourAt(const design::PictureWindowModel& window, double x, double y);

// A colour as the status read-out shows it, "0x0000FF (255, 0, 0)"; empty for -1.
std::string colourReadoutText(std::int32_t colour);

class PictureTools {
public:
    // The tools on `design`, drawing in `colour`. All must outlive the tools; make them per event.
    PictureTools(design::ClockDesign& design, const design::PictureSlots& pictures,
                 const ToolCommands& commands, std::int32_t colour);

    // A button pressed over the window: the circle tool when chkCirc is ticked, else the
    // rectangle tool when chkRect is, else the colour pick. RuntimeError("Overflow") when a new
    // circle centre or a written position does not fit 16 bits; the circle state is then as before.
    void mouseDown(const design::HeldPictureWindow& window, MouseButton button, double x, double y);
    // The pointer moved, with or without a button held: the chosen tool follows it. Never fails;
    // a mark that cannot be drawn is left out.
    void mouseMove(const design::HeldPictureWindow& window, bool buttonHeld, double x, double y);
    // A button released: the circle tool fixes its radius. RuntimeError("Overflow") when the
    // radius does not fit 16 bits; the circle is then still being placed.
    void mouseUp(const design::HeldPictureWindow& window, double x);

private:
    void circleClick(design::PictureWindowModel& window, MouseButton button, double x, double y);
    void circleTrack(design::PictureWindowModel& window, bool buttonHeld, double x, double y);
    void rectangleClick(double x, double y);
    void rectangleTrack(const design::HeldPictureWindow& window, double x, double y);

    design::ClockDesign& mDesign;
    const design::PictureSlots& mPictures;
    const ToolCommands& mCommands;
    std::int32_t mColour;
};

} // namespace dw::render
