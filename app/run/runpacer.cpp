#include "run/runpacer.h"

#include <utility>

#include "design/clockdesign.h"
#include "design/host.h"
#include "design/numbertext.h"

namespace dw::run {

std::string frameCountText(std::int64_t hour, std::int64_t minute, std::int64_t second,
                           std::int64_t frame) {
    return design::strOf(hour) + "," + design::strOf(minute) + "," + design::strOf(second) +
           " : " + design::strOf(frame);
}

RunPacer::RunPacer(design::Host& host, const design::ClockDesign& design,
                   std::function<void()> afterYield)
    : mHost(host), mDesign(design), mAfterYield(std::move(afterYield)) {}

std::uint32_t RunPacer::now() {
    return mHost.tickCount();
}

void RunPacer::yieldOnce() {
    mHost.yield();
    if (mAfterYield) {
        mAfterYield();
    }
}

template <typename Paced>
void RunPacer::wait(std::uint32_t since, std::uint32_t intervalMs, Paced paced) {
    if (!paced()) {
        yieldOnce();
        return;
    }
    // The difference, not the sum, so that a tick count wrapping past 2^32 ends the wait in time.
    do {
        yieldOnce();
    } while (paced() && static_cast<std::uint32_t>(now() - since) < intervalMs);
}

void RunPacer::waitFrom(std::uint32_t since, std::uint32_t intervalMs) {
    wait(since, intervalMs, [this] { return mDesign.synctest == 1; });
}

void RunPacer::waitFrom(std::uint32_t since, std::uint32_t intervalMs, bool paced) {
    wait(since, intervalMs, [paced] { return paced; });
}

void RunPacer::showStatus(std::int64_t hour, std::int64_t minute, std::int64_t second,
                          std::int64_t frame) {
    mHost.setStatusText(kFrameCountPanel, frameCountText(hour, minute, second, frame));
}

} // namespace dw::run
