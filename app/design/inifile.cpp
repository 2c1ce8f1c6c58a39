#include "design/inifile.h"

#include "design/inikeys.h"

namespace dw::design {

std::string IniFile::readIniValue(std::string_view key) const {
    return mStore.getProfileString(mPath, kIniSection, key, kMissingIniValue);
}

bool IniFile::writeIniValue(std::string_view key, std::string_view value) {
    return mStore.writeProfileString(mPath, kIniSection, key, value);
}

bool IniFile::writeIniValues(const std::vector<platform::ProfileEntry>& entries) {
    return mStore.writeProfileStrings(mPath, kIniSection, entries);
}

} // namespace dw::design
