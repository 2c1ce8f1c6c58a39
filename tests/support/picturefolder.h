#pragma once
// A scratch folder for a test's picture files, addressed the way a design directory is.
#include <string>

#include <QColor>
#include <QImage>

#include "scratchfolder.h"

namespace dw::testing {

class PictureFolder {
public:
    // The folder with its final "/", the form a design directory takes.
    std::string path() const { return mFolder.path().string() + "/"; }

    // Writes raw bytes; returns the full path.
    std::string write(const std::string& name, const std::string& bytes) const {
        writeBytes(mFolder.file(name), bytes);
        return mFolder.file(name);
    }

    // Writes a one-colour picture (format by the name's suffix, a bitmap without one); returns
    // the full path.
    std::string writePicture(const std::string& name, int width, int height,
                             QRgb colour = 0xFF808080) const {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const std::string full = mFolder.file(name);
        const bool hasSuffix = name.find('.') != std::string::npos;
        image.save(QString::fromStdString(full), hasSuffix ? nullptr : "BMP");
        return full;
    }

private:
    ScratchFolder mFolder;
};

} // namespace dw::testing
