#pragma once
// Pictures for the slots of a test: drawn as images, written as bitmap files to a scratch
// folder and loaded into their slot the way a design load does.
#include <QImage>
#include <QPainter>
#include <string>

#include "design/pictureslots.h"
#include "picturefolder.h"

namespace dw::testing {

// Colours as surface words (0xFFRRGGBB) and as the 0x00BBGGRR values the design states.
inline constexpr QRgb kMagenta = 0xFFFF00FF;
inline constexpr std::int32_t kMagentaColour = 0xFF00FF;

// A picture of one colour with, optionally, a filled rectangle of another.
inline QImage filledImage(int width, int height, QRgb background) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

inline QImage withRect(QImage image, int x, int y, int w, int h, QRgb colour) {
    QPainter painter(&image);
    painter.fillRect(x, y, w, h, QColor::fromRgb(colour));
    return image;
}

// Writes the image as a bitmap file and loads it into the slot; returns the slot's window.
inline design::PictureWindowModel& loadIntoSlot(design::PictureSlots& pictures,
                                                const PictureFolder& folder,
                                                design::PictureSlot slot, const QImage& image,
                                                const std::string& name) {
    const std::string path = folder.path() + name;
    image.save(QString::fromStdString(path), "BMP");
    pictures.loadPictureSlot(slot, design::slotCaption(slot), true, path);
    return *pictures.window(slot);
}

// The pixel of a picture as a surface word without its alpha byte.
inline QRgb pixelAt(const design::Picture& picture, int x, int y) {
    return picture.view().pixel(x, y) & 0xFFFFFF;
}

} // namespace dw::testing
