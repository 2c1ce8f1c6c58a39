#include "design/inifile.h"

#include "design/inikeys.h"

namespace dw::design {

std::string IniFile::readIniValue(std::string_view key) const {
    return mStore.getProfileString(mPath, kIniSection, key, kMissingIniValue);
}

bool IniFile::writeIniValues(const std::vector<platform::ProfileEntry>& entries) {
    return mStore.writeProfileStrings(mPath, kIniSection, entries);
}

} // namespace dw::design
