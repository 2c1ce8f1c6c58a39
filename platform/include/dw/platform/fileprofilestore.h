#pragma once
// Profile files on disk. A save replaces the file atomically (a temporary file beside it is
// written, flushed to disk and renamed over it), so a crash or a full disk mid-save leaves the old
// file whole. Where the folder refuses a new file or the rename (the file is a mount point) but
// the file itself is writable, the file is rewritten in place, after its space has been reserved.
#include "dw/platform/profilestore.h"

namespace dw::platform {

class DW_PLATFORM_EXPORT FileProfileStore : public ProfileStore {
public:
    std::string getProfileString(const std::string& path, std::string_view section,
                                 std::string_view key, std::string_view fallback) const override;

    bool writeProfileStrings(const std::string& path, std::string_view section,
                             const std::vector<ProfileEntry>& entries) override;
};

} // namespace dw::platform
