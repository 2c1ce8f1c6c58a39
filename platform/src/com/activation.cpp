#include "dw/platform/com/activation.h"

#include <dlfcn.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <optional>

#include "dw/platform/com/guidtext.h"
#include "dw/platform/com/registrystore.h"

namespace dw::com {

namespace {

struct ServerLibrary {
    void* handle = nullptr;
    DllGetClassObjectFn getClassObject = nullptr;
    DllCanUnloadNowFn canUnloadNow = nullptr; // optional: without it the library stays
};

// Libraries loaded for classes, by the path the registry names. The mutex is held while a
// library is loaded or unloaded, never while its code runs outside these two steps.
struct LibraryCache {
    std::mutex mutex;
    std::map<std::string, ServerLibrary> libraries;
};

LibraryCache& cache() {
    static LibraryCache c;
    return c;
}

HRESULT readServerPath(REFCLSID rclsid, std::string* path) {
    RegistryTree tree;
    if (FAILED(registryStore()->read(&tree))) {
        return REGDB_E_READREGDB;
    }
    const std::optional<std::string> value =
        tree.value("CLSID\\" + guidToString(rclsid) + "\\InprocServer32", "");
    if (!value || value->empty()) {
        return REGDB_E_CLASSNOTREG;
    }
    *path = *value;
    return S_OK;
}

HRESULT loadLibrary(const std::string& path, ServerLibrary* out) {
    std::lock_guard lock(cache().mutex);
    auto it = cache().libraries.find(path);
    if (it != cache().libraries.end()) {
        *out = it->second;
        return S_OK;
    }
    if (::access(path.c_str(), F_OK) != 0) {
        return CO_E_DLLNOTFOUND;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return CO_E_ERRORINDLL;
    }
    ServerLibrary lib;
    lib.handle = handle;
    lib.getClassObject =
        reinterpret_cast<DllGetClassObjectFn>(::dlsym(handle, "DllGetClassObject"));
    lib.canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(::dlsym(handle, "DllCanUnloadNow"));
    if (lib.getClassObject == nullptr) {
        ::dlclose(handle);
        return CO_E_ERRORINDLL;
    }
    cache().libraries.emplace(path, lib);
    *out = lib;
    return S_OK;
}

} // namespace

HRESULT CoGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    std::string path;
    HRESULT hr = readServerPath(rclsid, &path);
    if (FAILED(hr)) {
        return hr;
    }
    ServerLibrary lib;
    hr = loadLibrary(path, &lib);
    if (FAILED(hr)) {
        return hr;
    }
    hr = lib.getClassObject(&rclsid, &riid, ppv);
    if (FAILED(hr)) {
        *ppv = nullptr;
    }
    return hr;
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (pUnkOuter != nullptr && riid != IID_IUnknown) {
        return CLASS_E_NOAGGREGATION;
    }
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(rclsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) {
        return hr;
    }
    if (factory == nullptr) {
        return E_UNEXPECTED; // a library that claims success without an answer
    }
    hr = factory->CreateInstance(pUnkOuter, riid, ppv);
    factory->Release();
    if (FAILED(hr)) {
        *ppv = nullptr;
    }
    return hr;
}

HRESULT CLSIDFromProgID(const char* progId, CLSID* pclsid) {
    if (progId == nullptr || pclsid == nullptr) {
        return E_POINTER;
    }
    RegistryTree tree;
    if (FAILED(registryStore()->read(&tree))) {
        return REGDB_E_READREGDB;
    }
    std::string key = progId;
    std::optional<std::string> clsid = tree.value(key + "\\CLSID", "");
    if (!clsid) {
        // A version-independent identifier may name only its current version.
        const std::optional<std::string> current = tree.value(key + "\\CurVer", "");
        if (current) {
            clsid = tree.value(*current + "\\CLSID", "");
        }
    }
    if (!clsid || !guidFromString(*clsid, pclsid)) {
        return REGDB_E_CLASSNOTREG;
    }
    return S_OK;
}

void CoFreeUnusedLibraries() {
    std::lock_guard lock(cache().mutex);
    auto& libraries = cache().libraries;
    for (auto it = libraries.begin(); it != libraries.end();) {
        if (it->second.canUnloadNow != nullptr && it->second.canUnloadNow() == S_OK) {
            ::dlclose(it->second.handle);
            it = libraries.erase(it);
        } else {
            ++it;
        }
    }
}

bool isServerLibraryLoaded(const std::string& path) {
    std::lock_guard lock(cache().mutex);
    return cache().libraries.count(path) > 0;
}

} // namespace dw::com
