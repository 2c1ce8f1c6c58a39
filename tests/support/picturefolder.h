#pragma once
// A temporary folder for a test's picture files, removed with it.
#include <fstream>
#include <string>

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

namespace dw::testing {

class PictureFolder {
public:
    // The folder with its final "/", the form a design directory takes.
    std::string path() const { return mDir.path().toStdString() + "/"; }

    // Writes raw bytes; returns the full path.
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string full = path() + name;
        std::ofstream(full, std::ios::binary) << bytes;
        return full;
    }

    // Writes a one-colour picture (format by the name's suffix, a bitmap without one); returns
    // the full path.
    std::string writePicture(const std::string& name, int width, int height,
                             QRgb colour = 0xFF808080) const {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const std::string full = path() + name;
        const bool hasSuffix = name.find('.') != std::string::npos;
        image.save(QString::fromStdString(full), hasSuffix ? nullptr : "BMP");
        return full;
    }

private:
    QTemporaryDir mDir;
};

} // namespace dw::testing
