#include "dw/platform/com/typelibrary.h"

#include <unistd.h>

#include "dw/platform/com/errorcodes.h"
#include "dw/platform/com/guidtext.h"
#include "dw/platform/com/registrystore.h"

namespace dw::com {

namespace {

std::string libraryKey(const GUID& libid) {
    return "TypeLib\\" + guidToString(libid);
}

std::string versionKey(const GUID& libid, std::uint16_t major, std::uint16_t minor) {
    return libraryKey(libid) + '\\' + std::to_string(major) + '.' + std::to_string(minor);
}

// The subkey naming the library for the language-neutral locale on this platform.
constexpr const char* kPathSubkey = "\\0\\linux";

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

} // namespace

HRESULT registerTypeLibrary(const TypeLibraryRecord& record) {
    if (record.modulePath.empty()) {
        return E_INVALIDARG;
    }
    const std::string key = versionKey(record.libid, record.major, record.minor);
    return registryStore()->update([&](RegistryTree& tree) {
        const bool ok = tree.setValue(key, "", record.helpString) &&
                        tree.setValue(key + "\\FLAGS", "", "0") &&
                        tree.setValue(key + "\\HELPDIR", "", directoryOf(record.modulePath)) &&
                        tree.setValue(key + kPathSubkey, "", record.modulePath);
        return ok ? S_OK : E_INVALIDARG;
    });
}

HRESULT unregisterTypeLibrary(const GUID& libid, std::uint16_t major, std::uint16_t minor) {
    return registryStore()->update([&](RegistryTree& tree) {
        if (!tree.deleteTree(versionKey(libid, major, minor))) {
            return TYPE_E_LIBNOTREGISTERED;
        }
        if (tree.subkeys(libraryKey(libid)).empty()) {
            tree.deleteTree(libraryKey(libid));
        }
        return S_OK;
    });
}

HRESULT queryTypeLibraryPath(const GUID& libid, std::uint16_t major, std::uint16_t minor,
                             std::string* path) {
    if (path == nullptr) {
        return E_POINTER;
    }
    path->clear();
    RegistryTree tree;
    if (FAILED(registryStore()->read(&tree))) {
        return REGDB_E_READREGDB;
    }
    const std::optional<std::string> registered =
        tree.value(versionKey(libid, major, minor) + kPathSubkey, "");
    if (!registered || registered->empty()) {
        return TYPE_E_LIBNOTREGISTERED;
    }
    if (::access(registered->c_str(), F_OK) != 0) {
        return TYPE_E_CANTLOADLIBRARY;
    }
    *path = *registered;
    return S_OK;
}

} // namespace dw::com
