#include "design/pngfile.h"

#include <filesystem>
#include <system_error>

#include <QImage>
#include <QImageWriter>

namespace dw::design {

std::string writePngFile(const QImage& picture, const std::string& path) {
    QImageWriter writer(QString::fromStdString(path), "png");
    if (writer.write(picture)) {
        return {};
    }
    const std::string error = "cannot write " + path + ": " + writer.errorString().toStdString();
    std::error_code ignored;
    if (!std::filesystem::is_directory(path, ignored)) {
        std::filesystem::remove(path, ignored);
    }
    return error;
}

} // namespace dw::design
