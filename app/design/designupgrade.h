#pragma once
// The texts and tests of the upgrade of older design files: version texts, the cleaning and
// length rule of a stored picture name, the warning that asks the user to move a picture beside
// the design file, and the closing count line.
#include <string>
#include <string_view>

namespace dw::design {

// A version number as the upgrade line shows it: shortest decimal form with "." and a single
// zero before the point below 1 ("0.9", "0.5"); the version 0 is "0". Never fails.
std::string versionText(double version);

// "Updating .INI from version F to version T".
std::string upgradeLine(double fromVersion, double toVersion);

// Characters of code 0 become blanks, then blanks are trimmed at both ends.
std::string cleanIniString(std::string_view text);

// True when the text, trimmed at both ends, has at least three characters: only such names
// are checked by the upgrade (the picture loader itself takes two).
bool hasPictureName(std::string_view text);

// The three-line log entry, lines joined by CR LF, for a picture that does not lie in the
// design's directory.
std::string pictureCopyWarning(const std::string& name, const std::string& iniDirectory);

// "0 errors, N warning(s)": the word takes an "s" unless the count is 1.
std::string upgradeCountLine(int errors, int warnings);

} // namespace dw::design
