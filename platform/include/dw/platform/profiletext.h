#pragma once
// The text rules of profile files, apart from any storage: finding a value and writing keys.
// The file store and the in-memory fake share them.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dw/platform/platform_export.h"

namespace dw::platform {

using ProfileEntry = std::pair<std::string, std::string>; // key, value

// The value of `key` in the first section named `section` (names without regard to letter case
// or surrounding blanks), trimmed of blanks, then without one pair of matching double or single
// quotes around it, and not cut; nullopt when the section or key is missing. Lines end at CR LF,
// LF or CR. Keys before any section belong to none.
DW_PLATFORM_EXPORT std::optional<std::string_view>
findProfileValue(std::string_view text, std::string_view section, std::string_view key);

// `text` with the entries written into `section`, as if written one after the other: an
// existing key is replaced in place (the first of its name, keeping the file's spelling of it), a
// missing key goes after the last filled line of the section, a missing section at the end, new
// lines ending in CR LF and spelt as the caller spells them. Values are stored as given. nullopt
// when a name could not be read back as itself (an empty key, a key holding "=" or starting with
// "[" or ";", a section holding "]", a line break in either).
DW_PLATFORM_EXPORT std::optional<std::string>
applyProfileWrites(std::string_view text, std::string_view section,
                   const std::vector<ProfileEntry>& entries);

// A value as it is written: CR and LF become blanks (so a value can never start a new key or
// section), and the empty value becomes one blank.
DW_PLATFORM_EXPORT std::string profileValueText(std::string_view value);

// Blanks as profile names and values understand them.
constexpr bool isProfileBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace dw::platform
