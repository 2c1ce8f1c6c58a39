#pragma once
// The text rules of profile files, apart from any storage: finding a value and planning the
// smallest edit that writes one. The file store and the in-memory fake share them.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "dw/platform/platform_export.h"

namespace dw::platform {

// Replace `eraseLength` bytes at `offset` by `insert`.
struct ProfileEdit {
    std::size_t offset = 0;
    std::size_t eraseLength = 0;
    std::string insert;
};

// The value of `key` in the first section named `section` (names without regard to letter case
// or surrounding blanks), trimmed of blanks and not cut; nullopt when the section or key is
// missing. Lines end at CR LF, LF or CR. Keys before any section belong to none.
DW_PLATFORM_EXPORT std::optional<std::string_view>
findProfileValue(std::string_view text, std::string_view section, std::string_view key);

// The edit that writes `key` = `value` into `section` of `text`; nullopt when a name could not
// be read back as itself (an empty key, a key holding "=" or starting with "[" or ";", a
// section holding "]", a line break in either).
DW_PLATFORM_EXPORT std::optional<ProfileEdit> planProfileWrite(std::string_view text,
                                                               std::string_view section,
                                                               std::string_view key,
                                                               std::string_view value);

// `text` with the edit applied. The edit must come from planProfileWrite on the same text.
DW_PLATFORM_EXPORT std::string applyProfileEdit(std::string_view text, const ProfileEdit& edit);

// A value as it is written: CR and LF become blanks (so a value can never start a new key or
// section), and the empty value becomes one blank.
DW_PLATFORM_EXPORT std::string profileValueText(std::string_view value);

// Blanks as profile names and values understand them.
constexpr bool isProfileBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace dw::platform
