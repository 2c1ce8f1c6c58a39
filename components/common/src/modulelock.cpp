#include "dw/components/modulelock.h"

#include <atomic>

namespace dw::components {

namespace {

std::atomic<std::int32_t> gLockCount{0};
std::atomic<std::int32_t> gServerLocks{0}; // the LockServer share of gLockCount

} // namespace

void lockModule() noexcept {
    ++gLockCount;
}

void unlockModule() noexcept {
    --gLockCount;
}

std::int32_t moduleLockCount() noexcept {
    return gLockCount.load();
}

dw::com::HRESULT lockServer(bool lock) noexcept {
    if (lock) {
        ++gServerLocks;
        lockModule();
        return dw::com::S_OK;
    }
    std::int32_t locks = gServerLocks.load();
    do {
        if (locks <= 0) {
            return dw::com::E_UNEXPECTED;
        }
    } while (!gServerLocks.compare_exchange_weak(locks, locks - 1));
    unlockModule();
    return dw::com::S_OK;
}

} // namespace dw::components
