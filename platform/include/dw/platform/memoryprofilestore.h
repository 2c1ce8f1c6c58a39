#pragma once
// Profile files held in memory, for tests: the same text rules as the files on disk, and failures
// on demand (a read-only file, a full disk, a disk that fills after some saves, a file that
// cannot be read).
#include <map>
#include <optional>
#include <set>

#include "dw/platform/profilestore.h"

namespace dw::platform {

class DW_PLATFORM_EXPORT MemoryProfileStore : public ProfileStore {
public:
    std::string getProfileString(const std::string& path, std::string_view section,
                                 std::string_view key, std::string_view fallback) const override;

    bool writeProfileStrings(const std::string& path, std::string_view section,
                             const std::vector<ProfileEntry>& entries) override;

    // The content of a file; nullopt when it does not exist.
    std::optional<std::string> file(const std::string& path) const;
    void setFile(const std::string& path, std::string content) {
        mFiles[path] = std::move(content);
    }
    void removeFile(const std::string& path) { mFiles.erase(path); }

    // A read-only file refuses every save and stays unchanged.
    void setReadOnly(const std::string& path, bool readOnly);
    // An unreadable file reads as a missing one.
    void setUnreadable(const std::string& path, bool unreadable);
    // With a full disk every save fails and leaves the file unchanged.
    void setDiskFull(bool full) { mDiskFull = full; }
    // The disk fills after this many more successful saves.
    void failAfterSaves(int saves) { mSavesLeft = saves; }

    // Saves attempted so far (each call of writeProfileStrings, failed or not).
    int saveAttempts() const { return mSaveAttempts; }

private:
    std::map<std::string, std::string> mFiles;
    std::set<std::string> mReadOnly;
    std::set<std::string> mUnreadable;
    bool mDiskFull = false;
    std::optional<int> mSavesLeft;
    int mSaveAttempts = 0;
};

} // namespace dw::platform
