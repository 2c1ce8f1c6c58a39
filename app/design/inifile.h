#pragma once
// One design file seen through a profile store: every key in section "clock", and "0" for
// whatever is missing.
#include <string>
#include <string_view>
#include <vector>

#include "dw/platform/profilestore.h"

namespace dw::design {

class IniFile {
public:
    IniFile(platform::ProfileStore& store, std::string path)
        : mStore(store), mPath(std::move(path)) {}

    const std::string& path() const { return mPath; }

    // The value of `key`, blanks trimmed, at most 254 characters; "0" when the key, the section
    // or the file is missing. Never fails: an unreadable file reads as a missing one.
    std::string readIniValue(std::string_view key) const;

    // Writes the entries in order, saved at once: all of them or, on failure (false), none.
    bool writeIniValues(const std::vector<platform::ProfileEntry>& entries);

private:
    platform::ProfileStore& mStore;
    std::string mPath;
};

} // namespace dw::design
