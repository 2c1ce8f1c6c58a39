#pragma once
// The in-memory profile store, also recording the key of every read in order.
#include <string>
#include <vector>

#include "dw/platform/memoryprofilestore.h"

namespace dw::testing {

class RecordingProfileStore : public platform::MemoryProfileStore {
public:
    mutable std::vector<std::string> readKeys;

    std::string getProfileString(const std::string& path, std::string_view section,
                                 std::string_view key, std::string_view fallback) const override {
        readKeys.emplace_back(key);
        return MemoryProfileStore::getProfileString(path, section, key, fallback);
    }
};

} // namespace dw::testing
