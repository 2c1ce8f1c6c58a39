#include "dw/platform/memoryprofilestore.h"

#include "dw/platform/profiletext.h"

namespace dw::platform {

namespace {

std::string cutValue(std::string_view value) {
    return std::string(value.substr(0, kProfileValueMax));
}

} // namespace

std::string MemoryProfileStore::getProfileString(const std::string& path, std::string_view section,
                                                 std::string_view key,
                                                 std::string_view fallback) const {
    const auto it = mFiles.find(path);
    if (it == mFiles.end() || mUnreadable.count(path) != 0) {
        return cutValue(fallback);
    }
    const auto value = findProfileValue(it->second, section, key);
    return cutValue(value ? *value : fallback);
}

bool MemoryProfileStore::writeProfileStrings(const std::string& path, std::string_view section,
                                             const std::vector<ProfileEntry>& entries) {
    ++mSaveAttempts;
    if (mReadOnly.count(path) != 0 || mDiskFull) {
        return false;
    }
    if (mSavesLeft && *mSavesLeft <= 0) {
        return false;
    }
    const auto it = mFiles.find(path);
    const std::string_view old = it == mFiles.end() ? std::string_view() : it->second;
    auto written = applyProfileWrites(old, section, entries);
    if (!written) {
        return false;
    }
    mFiles[path] = std::move(*written);
    if (mSavesLeft) {
        --*mSavesLeft;
    }
    return true;
}

std::optional<std::string> MemoryProfileStore::file(const std::string& path) const {
    const auto it = mFiles.find(path);
    if (it == mFiles.end()) {
        return std::nullopt;
    }
    return it->second;
}

void MemoryProfileStore::setReadOnly(const std::string& path, bool readOnly) {
    if (readOnly) {
        mReadOnly.insert(path);
    } else {
        mReadOnly.erase(path);
    }
}

void MemoryProfileStore::setUnreadable(const std::string& path, bool unreadable) {
    if (unreadable) {
        mUnreadable.insert(path);
    } else {
        mUnreadable.erase(path);
    }
}

} // namespace dw::platform
