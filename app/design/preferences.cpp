#include "design/preferences.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "dw/platform/profilestore.h"

namespace dw::design {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

} // namespace

std::string defaultPreferencesFile() {
    // The base-directory rules ignore a relative XDG_CONFIG_HOME.
    std::string base = environment("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = environment("HOME");
        if (home.empty()) {
            return {};
        }
        base = home + "/.config";
    }
    return base + "/" + kPreferencesApplication + "/prefs.ini";
}

bool makeFolderFor(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (folder.empty()) {
        return true;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error;
}

std::string Preferences::loadLastDir() const {
    std::string lastDir =
        mFile.empty() ? std::string()
                      : mStore.getProfileString(mFile, kPreferencesSection, kLastDirKey, "");
    if (lastDir.empty()) {
        std::error_code error;
        lastDir = std::filesystem::current_path(error).string();
    }
    return lastDir;
}

bool Preferences::saveLastDir(const std::string& lastDir) {
    return !mFile.empty() &&
           mStore.writeProfileString(mFile, kPreferencesSection, kLastDirKey, lastDir);
}

} // namespace dw::design
