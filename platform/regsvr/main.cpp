// dw-regsvr: registers component libraries in the registry, or unregisters them with -u.
//
//     dw-regsvr [-u] [-q] LIBRARY...
//
// Exit status: 0 all done, 1 a library failed, 2 usage.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dw/platform/com/activation.h"
#include "dw/platform/com/errortext.h"
#include "dw/platform/com/registrystore.h"

namespace {

struct Options {
    bool unregister = false;
    bool quiet = false;
    std::vector<std::string> libraries;
};

bool parseArguments(int argc, char** argv, Options* options) {
    bool onlyFiles = false;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (!onlyFiles && arg == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && arg == "-u") {
            options->unregister = true;
        } else if (!onlyFiles && arg == "-q") {
            options->quiet = true;
        } else if (!onlyFiles && !arg.empty() && arg[0] == '-') {
            return false;
        } else {
            options->libraries.push_back(arg);
        }
    }
    return !options->libraries.empty();
}

// Runs one library's registration entry point; false (with a message) when anything fails.
bool processLibrary(const std::string& library, const Options& options) {
    // A bare file name would be searched on the library path; the user means this directory.
    const std::string path = library.find('/') == std::string::npos ? "./" + library : library;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        std::fprintf(stderr, "dw-regsvr: %s: cannot load: %s\n", library.c_str(), ::dlerror());
        return false;
    }
    const char* entry = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto fn = reinterpret_cast<dw::com::DllRegisterServerFn>(::dlsym(handle, entry));
    if (fn == nullptr) {
        std::fprintf(stderr, "dw-regsvr: %s: not a component library (no %s)\n", library.c_str(),
                     entry);
        ::dlclose(handle);
        return false;
    }
    const dw::com::HRESULT hr = fn();
    ::dlclose(handle);
    if (dw::com::FAILED(hr)) {
        std::fprintf(stderr, "dw-regsvr: %s: %s failed: %s (0x%08X)\n", library.c_str(), entry,
                     dw::com::describeHResult(hr).c_str(), static_cast<unsigned>(hr));
        return false;
    }
    if (!options.quiet) {
        std::printf("%s: %s in %s\n", library.c_str(),
                    options.unregister ? "unregistered" : "registered",
                    dw::com::defaultRegistryPath().c_str());
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseArguments(argc, argv, &options)) {
        std::fprintf(stderr, "usage: dw-regsvr [-u] [-q] LIBRARY...\n"
                             "  -u  unregister instead of register\n"
                             "  -q  print nothing on success\n");
        return 2;
    }
    bool allDone = true;
    for (const std::string& library : options.libraries) {
        allDone = processLibrary(library, options) && allDone;
    }
    return allDone ? 0 : 1;
}
