#include "registration.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>

#include "dw/components/registryscript.h"
#include "dw/components/serverdefinition.h"
#include "dw/platform/com/typelibrary.h"

namespace dw::components {

using namespace dw::com;

namespace {

const char kAddressInThisLibrary = 0;

} // namespace

std::string modulePath() {
    Dl_info info{};
    if (::dladdr(&kAddressInThisLibrary, &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    char resolved[PATH_MAX];
    if (::realpath(info.dli_fname, resolved) == nullptr) {
        return info.dli_fname;
    }
    return resolved;
}

HRESULT registerServer() {
    const ServerDefinition& def = serverDefinition();
    const std::string path = modulePath();
    if (path.empty()) {
        return E_FAIL;
    }
    HRESULT hr = runRegistryScript(def.registryScript, {{"MODULE", path}}, ScriptMode::Register);
    if (FAILED(hr)) {
        return hr;
    }
    TypeLibraryRecord record;
    record.libid = def.typeLibrary.libid;
    record.major = def.typeLibrary.major;
    record.minor = def.typeLibrary.minor;
    record.helpString = def.typeLibrary.helpString;
    record.modulePath = path;
    return registerTypeLibrary(record);
}

HRESULT unregisterServer() {
    const ServerDefinition& def = serverDefinition();
    const HRESULT hr =
        runRegistryScript(def.registryScript, {{"MODULE", modulePath()}}, ScriptMode::Unregister);
    if (FAILED(hr) || def.onUnregister == TypeLibraryOnUnregister::Keep) {
        return hr;
    }
    return unregisterTypeLibrary(def.typeLibrary.libid, def.typeLibrary.major,
                                 def.typeLibrary.minor);
}

} // namespace dw::components
