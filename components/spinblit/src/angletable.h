#pragma once
// The polar angle of every destination offset (i, j) of a rotation. It depends on the offset
// only, never on the picture or the angle of rotation, so one table serves every call whose
// extent fits; it is built once for the largest extent asked (up to a limit) and shared.
#include <cstdint>
#include <memory>
#include <vector>

namespace spinblit {

// The angle used for offset (i, j): atan2(j, i), except the fixed 1.570796326795 when i == 0.
double offsetAngle(std::int64_t i, std::int64_t j);

class AngleTable {
public:
    // Extents above this are computed as needed instead (the table holds extent² doubles).
    static constexpr int kMaxExtent = 1024;

    // A table covering offsets 0 .. extent-1 in both directions; null when the extent is above
    // kMaxExtent or memory runs out (callers then use offsetAngle).
    static std::shared_ptr<const AngleTable> forExtent(int extent);

    // Angles of offsets (i, 0 .. extent-1).
    const double* row(int i) const {
        return mAngles.data() + static_cast<std::size_t>(i) * mExtent;
    }
    // The angle of offset (i, j), both below extent().
    double at(std::int64_t i, std::int64_t j) const {
        return mAngles[static_cast<std::size_t>(i) * mExtent + static_cast<std::size_t>(j)];
    }
    int extent() const { return mExtent; }

private:
    explicit AngleTable(int extent);

    int mExtent;
    std::vector<double> mAngles;
};

} // namespace spinblit
