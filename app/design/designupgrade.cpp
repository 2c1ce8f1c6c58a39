#include "design/designupgrade.h"

#include <algorithm>

#include "design/inivalues.h"
#include "design/numbertext.h"

namespace dw::design {

std::string versionText(double version) {
    return shortestDecimal(version, LeadingZero::Keep);
}

std::string upgradeLine(double fromVersion, double toVersion) {
    return "Updating .INI from version " + versionText(fromVersion) + " to version " +
           versionText(toVersion);
}

std::string cleanIniString(std::string_view text) {
    std::string cleaned(text);
    std::replace(cleaned.begin(), cleaned.end(), '\0', ' ');
    return trimmedText(cleaned);
}

bool hasPictureName(std::string_view text) {
    return trimmedText(text).size() >= 3;
}

std::string pictureCopyWarning(const std::string& name, const std::string& iniDirectory) {
    return "Warning: Please copy the picture " + name + " to " + iniDirectory + "\r\n" +
           "Load the picture using the load button, then save the .INI again.\r\n" +
           "Reload the .INI to confirm the update.";
}

std::string upgradeCountLine(int errors, int warnings) {
    return std::to_string(errors) + " errors, " + std::to_string(warnings) + " warning" +
           (warnings == 1 ? "" : "s");
}

} // namespace dw::design
