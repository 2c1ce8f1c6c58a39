#include "angletable.h"

#include <cmath>
#include <mutex>
#include <new>

namespace spinblit {

namespace {

// The angle of offsets straight down the column, written as the rotation has always had it:
// half of 3.14159265359, not the closest double to pi/2.
constexpr double kColumnAngle = 1.570796326795;

std::mutex gTableMutex;
std::shared_ptr<const AngleTable> gTable; // guarded by gTableMutex

} // namespace

double offsetAngle(std::int64_t i, std::int64_t j) {
    return i == 0 ? kColumnAngle : std::atan2(static_cast<double>(j), static_cast<double>(i));
}

AngleTable::AngleTable(int extent)
    : mExtent(extent), mAngles(static_cast<std::size_t>(extent) * extent) {
    for (int i = 0; i < extent; ++i) {
        double* out = mAngles.data() + static_cast<std::size_t>(i) * extent;
        for (int j = 0; j < extent; ++j) {
            out[j] = offsetAngle(i, j);
        }
    }
}

std::shared_ptr<const AngleTable> AngleTable::forExtent(int extent) {
    if (extent <= 0 || extent > kMaxExtent) {
        return nullptr;
    }
    {
        std::lock_guard lock(gTableMutex);
        if (gTable && gTable->extent() >= extent) {
            return gTable;
        }
    }
    std::shared_ptr<const AngleTable> table;
    try {
        table.reset(new AngleTable(extent));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    std::lock_guard lock(gTableMutex);
    if (!gTable || gTable->extent() < extent) {
        gTable = table;
    }
    return gTable;
}

} // namespace spinblit
