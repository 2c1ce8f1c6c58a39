#pragma once
// Timing and component loading shared by the benchmarks.
#include <dlfcn.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "spinblit/igdiext.h"

namespace dw::bench {

// CPU seconds of this thread: on a machine shared with other work, time spent waiting for a
// processor is not counted against either side of a comparison.
inline double threadSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Best (lowest) thread CPU seconds of `baseline` and of `measured` over `rounds` rounds, the two
// taking turns so that any slow spell of the machine falls on both.
template <class Baseline, class Measured>
std::pair<double, double> bestOfTurns(int rounds, Baseline baseline, Measured measured) {
    double bestBaseline = 1e300;
    double bestMeasured = 1e300;
    for (int r = 0; r < rounds; ++r) {
        double start = threadSeconds();
        baseline();
        bestBaseline = std::min(bestBaseline, threadSeconds() - start);
        start = threadSeconds();
        measured();
        bestMeasured = std::min(bestMeasured, threadSeconds() - start);
    }
    return {bestBaseline, bestMeasured};
}

// A gdiext object from the built library, loaded with dlopen as any program could.
inline spinblit::Igdiext* loadGdiext() {
    using GetClassObject = dw::com::HRESULT (*)(const dw::com::CLSID*, const dw::com::IID*, void**);
    void* library = ::dlopen(DW_BIN_DIR "/libspinblit.so", RTLD_NOW | RTLD_LOCAL);
    auto get = library != nullptr
                   ? reinterpret_cast<GetClassObject>(::dlsym(library, "DllGetClassObject"))
                   : nullptr;
    void* factory = nullptr;
    void* object = nullptr;
    if (get == nullptr ||
        get(&spinblit::CLSID_gdiext, &dw::com::IID_IClassFactory, &factory) != 0 ||
        static_cast<dw::com::IClassFactory*>(factory)->CreateInstance(
            nullptr, spinblit::IID_Igdiext, &object) != 0) {
        std::fprintf(stderr, "cannot load spinblit from %s\n", DW_BIN_DIR);
        std::exit(1);
    }
    static_cast<dw::com::IClassFactory*>(factory)->Release();
    return static_cast<spinblit::Igdiext*>(object);
}

} // namespace dw::bench
