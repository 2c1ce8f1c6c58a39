#include "dw/platform/profilestore.h"

namespace dw::platform {

ProfileStore::~ProfileStore() = default;

bool ProfileStore::writeProfileString(const std::string& path, std::string_view section,
                                      std::string_view key, std::string_view value) {
    return writeProfileStrings(path, section, {{std::string(key), std::string(value)}});
}

} // namespace dw::platform
