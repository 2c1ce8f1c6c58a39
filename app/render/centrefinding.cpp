#include "render/centrefinding.h"

#include <string>

#include "design/clockdesign.h"
#include "design/confirmedpositions.h"
#include "design/numbertext.h"
#include "design/pictureslots.h"
#include "render/handgeometry.h"

namespace dw::render {

namespace {

// Half a difference of sizes as a 16-bit integer, halves to even: 641 / 2 gives 320.
std::int16_t halfOf(int pixels) {
    return design::toInt16(pixels / 2.0);
}

} // namespace

void confirmCentre(design::ClockDesign& design, HandGeometry& geometry, std::int16_t x,
                   std::int16_t y) {
    design::displayConfirmedPosition(design.Label1, x, y);
    design.txtLeft = std::to_string(x);
    design.txtTop = std::to_string(y);
    design.centrex = x;
    design.centrey = y;
    geometry.computeHandTables(design);
}

void refreshCentre(design::ClockDesign& design, HandGeometry& geometry) {
    confirmCentre(design, geometry, design.centrex, design.centrey);
    geometry.computeHandTables(design);
    geometry.computeInnerCircle(design);
}

void cmdSet_Click(design::ClockDesign& design, HandGeometry& geometry) {
    const std::int16_t x = design::int16Of(design.txtLeft);
    const std::int16_t y = design::int16Of(design.txtTop);
    confirmCentre(design, geometry, x, y);
}

void cmdAutoCenter_Click(design::ClockDesign& design, HandGeometry& geometry,
                         const design::PictureSlots& pictures) {
    const auto main = pictures.window(design::PictureSlot::Main);
    if (!main) {
        return;
    }
    confirmCentre(design, geometry, halfOf(main->scaleWidth()), halfOf(main->scaleHeight()));
    refreshCentre(design, geometry);
}

bool cmdBMPautocentre_Click(design::ClockDesign& design, design::PictureSlots& pictures) {
    if (!pictures.checkBitmapsLoaded()) {
        return false;
    }
    // The hand bitmaps are centred on the face, so without a face there is nothing to centre on.
    const auto main = pictures.window(design::PictureSlot::Main);
    if (!main) {
        return false;
    }
    const auto hour = pictures.window(design::PictureSlot::Hour);
    const std::int16_t x = halfOf(main->scaleWidth() - hour->scaleWidth());
    const std::int16_t y = halfOf(main->scaleHeight() - hour->scaleHeight());
    design.bmptopx = x;
    design.bmptopy = y;
    design::showBitmapTopLeft(design);
    return true;
}

bool cmdAutoCenterBox_Click(design::ClockDesign& design, const design::PictureSlots& pictures) {
    const auto main = pictures.window(design::PictureSlot::Main);
    const auto background = pictures.window(design::PictureSlot::EraseBackground);
    if (!main || !background) {
        return false;
    }
    const std::int16_t x = halfOf(background->scaleWidth() - main->scaleWidth());
    const std::int16_t y = halfOf(background->scaleHeight() - main->scaleHeight());
    design.eraseTopLeftX = x;
    design.eraseTopLeftY = y;
    design::displayConfirmedPosition(design.lblConfirmedXY, x, y);
    return true;
}

} // namespace dw::render
