#pragma once
// Profile files: 8-bit text made of "[section]" lines and "key=value" lines, read and written one
// key at a time. Section and key names are matched without regard to letter case; a value is
// everything after the first "=", blanks trimmed at both ends, and one pair of matching double or
// single quotes around all of it dropped. New lines end in CR LF; files with LF-only line ends
// read too.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dw/platform/platform_export.h"
#include "dw/platform/profiletext.h"

namespace dw::platform {

// A read value is cut to this many characters.
inline constexpr std::size_t kProfileValueMax = 254;

class DW_PLATFORM_EXPORT ProfileStore {
public:
    virtual ~ProfileStore();

    // The value of `key` in `section` of file `path`, quotes dropped, cut to kProfileValueMax;
    // `fallback` when the file, the section or the key is missing. Never fails: an unreadable
    // file reads as a missing one.
    virtual std::string getProfileString(const std::string& path, std::string_view section,
                                         std::string_view key, std::string_view fallback) const = 0;

    // Sets `key` in `section` of `path`: an existing key is replaced in place under the file's
    // spelling of it, a missing key is appended at the end of its section, a missing section at
    // the end of the file, a missing file is created. Line breaks in the value are written as
    // blanks and an empty value as one blank. False, and the file unchanged, when it cannot be
    // written or a name is unusable.
    bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                            std::string_view value);

    // The same as writing the entries one after the other, but saved once: either every entry
    // is written or, on failure (false), the file is unchanged.
    virtual bool writeProfileStrings(const std::string& path, std::string_view section,
                                     const std::vector<ProfileEntry>& entries) = 0;
};

} // namespace dw::platform
