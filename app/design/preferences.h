#pragma once
// The per-user preferences: one value, the folder the design-file dialog opens in ("lastDir" in
// section "prefs" of application "dialwright"), kept in a small profile file in the user's
// configuration folder.
#include <string>
#include <utility>

namespace dw::platform {
class ProfileStore;
}

namespace dw::design {

inline constexpr const char* kPreferencesApplication = "dialwright";
inline constexpr const char* kPreferencesSection = "prefs";
inline constexpr const char* kLastDirKey = "lastDir";

// $XDG_CONFIG_HOME/dialwright/prefs.ini, or ~/.config/dialwright/prefs.ini when that variable is
// unset or not absolute; empty when neither XDG_CONFIG_HOME nor HOME gives a folder.
std::string defaultPreferencesFile();

// Creates the folders leading to `file`. False when they cannot be made.
bool makeFolderFor(const std::string& file);

class Preferences {
public:
    // `store` must outlive this object.
    Preferences(platform::ProfileStore& store, std::string file)
        : mStore(store), mFile(std::move(file)) {}

    // The stored "lastDir", or the process's current directory when none is stored (or it is
    // empty). Never fails.
    std::string loadLastDir() const;

    // Stores "lastDir". False when the file cannot be written.
    bool saveLastDir(const std::string& lastDir);

private:
    platform::ProfileStore& mStore;
    std::string mFile;
};

} // namespace dw::design
