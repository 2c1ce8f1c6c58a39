#include "design/picturepaths.h"

#include "design/host.h"

namespace dw::design {

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string resolvePictureName(const std::string& iniDirectory, const std::string& name) {
    if (!name.empty() && name.front() == '/') {
        return name;
    }
    return iniDirectory + name;
}

std::string pickBitmapFile(Host& host, const std::string& initialDirectory) {
    return host.openFileDialog(kBitmapFilter, initialDirectory);
}

std::string relativePictureName(Host& host, const std::string& iniDirectory) {
    if (iniDirectory.empty()) {
        host.showMessage(kMustSaveIniFirst, MessageIcon::Information);
        return {};
    }
    // Opening in the design's folder saves the user a walk to the only folder allowed.
    const std::string chosen = pickBitmapFile(host, iniDirectory);
    const std::string directory = directoryOf(chosen);
    if (directory != iniDirectory) {
        host.showMessage(kPictureNotInIniDirectory, MessageIcon::Information);
        return {};
    }
    return chosen.substr(directory.size());
}

} // namespace dw::design
