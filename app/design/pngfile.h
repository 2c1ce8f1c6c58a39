#pragma once
// Writing a picture the program made (a contact sheet, a motion plot) as a PNG file.
#include <string>

class QImage;

namespace dw::design {

// Writes `picture` to `path` as PNG, whatever the name's extension. Empty on success; otherwise
// "cannot write PATH: why", and no file is left at the path.
std::string writePngFile(const QImage& picture, const std::string& path);

} // namespace dw::design
