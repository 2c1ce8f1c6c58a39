#include "rotation.h"

#include <algorithm>
#include <array>
#include <vector>

#include "angletable.h"
#include "sourcepositions.h"

namespace spinblit {

using dw::platform::SurfacePixels;

namespace {

struct Range {
    std::int64_t lo; // inclusive
    std::int64_t hi; // inclusive; empty when hi < lo
};

std::int64_t floorHalf(std::int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

Range clip(Range r, std::int64_t extent) { return {std::max<std::int64_t>(r.lo, 0), std::min(r.hi, extent - 1)}; }

// The offsets t for which centre + sign·t lies inside [0, size).
Range inside(std::int64_t centre, std::int64_t size, int sign, std::int64_t extent) {
    return clip(sign > 0 ? Range{-centre, size - 1 - centre} : Range{centre - size + 1, centre},
                extent);
}

// Sorted, merged union of ranges.
std::vector<Range> merged(std::vector<Range> ranges) {
    ranges.erase(std::remove_if(ranges.begin(), ranges.end(), [](Range r) { return r.hi < r.lo; }),
                 ranges.end());
    std::sort(ranges.begin(), ranges.end(), [](Range a, Range b) { return a.lo < b.lo; });
    std::vector<Range> out;
    for (Range r : ranges) {
        if (!out.empty() && r.lo <= out.back().hi + 1) {
            out.back().hi = std::max(out.back().hi, r.hi);
        } else {
            out.push_back(r);
        }
    }
    return out;
}

// The steps (i, j) that can write a destination pixel: each of the four roles writes only
// where its i and its j put the pixel inside the destination. Steps outside every role write
// nothing, so leaving them out changes no result, and the work stays bounded by the surface.
struct StepRegion {
    std::array<Range, 4> rows; // i ranges of roles 0..3
    std::array<Range, 4> cols; // j ranges of roles 0..3
};

StepRegion stepRegion(std::int64_t cx, std::int64_t cy, const SurfacePixels& dst,
                      std::int64_t extent) {
    const Range xPlus = inside(cx, dst.width, +1, extent);
    const Range xMinus = inside(cx, dst.width, -1, extent);
    const Range yPlus = inside(cy, dst.height, +1, extent);
    const Range yMinus = inside(cy, dst.height, -1, extent);
    // (cx + i, cy + j), (cx - i, cy - j), (cx + j, cy - i), (cx - j, cy + i)
    return {{xPlus, xMinus, yMinus, yPlus}, {yPlus, yMinus, xPlus, xMinus}};
}

class Rotator {
public:
    Rotator(const SurfacePixels& src, const SurfacePixels& dst, std::int64_t cx, std::int64_t cy,
            std::int64_t extent, double theta)
        : mSrc(src), mDst(dst), mCx(cx), mCy(cy), mExtent(extent),
          mFrame(makeRotationFrame(theta, cx, cy, extent)),
          mTable(AngleTable::forExtent(static_cast<int>(std::min<std::int64_t>(extent, 1 << 30)))) {}

    void run() {
        const StepRegion region = stepRegion(mCx, mCy, mDst, mExtent);
        for (Range rows : merged({region.rows.begin(), region.rows.end()})) {
            for (std::int64_t i = rows.lo; i <= rows.hi; ++i) {
                std::vector<Range> cols;
                for (int role = 0; role < 4; ++role) {
                    if (i >= region.rows[role].lo && i <= region.rows[role].hi) {
                        cols.push_back(region.cols[role]);
                    }
                }
                for (Range c : merged(std::move(cols))) {
                    runRow(i, c);
                }
            }
        }
    }

private:
    void runRow(std::int64_t i, Range cols) {
        double phi[kChunk];
        for (std::int64_t j0 = cols.lo; j0 <= cols.hi; j0 += kChunk) {
            const int count = static_cast<int>(std::min<std::int64_t>(kChunk, cols.hi - j0 + 1));
            if (mTable) {
                std::copy_n(mTable->row(static_cast<int>(i)) + j0, count, phi);
            } else {
                for (int k = 0; k < count; ++k) {
                    phi[k] = offsetAngle(i, j0 + k);
                }
            }
            chunkPositions(mFrame, i, j0, count, phi, &mPositions);
            for (int k = 0; k < count; ++k) {
                moveStep(i, j0 + k, k);
            }
        }
    }

    // Reads the four source pixels, then writes the four destination pixels, in table order.
    void moveStep(std::int64_t i, std::int64_t j, int lane) {
        std::uint32_t colour[4];
        bool valid[4];
        for (int role = 0; role < 4; ++role) {
            const std::int32_t x = mPositions.x[role][lane];
            const std::int32_t y = mPositions.y[role][lane];
            valid[role] = static_cast<std::uint32_t>(x) < static_cast<std::uint32_t>(mSrc.width) &&
                          static_cast<std::uint32_t>(y) < static_cast<std::uint32_t>(mSrc.height);
            colour[role] =
                valid[role] ? mSrc.pixels[static_cast<std::size_t>(y) * mSrc.stride + x] : 0;
        }
        const std::int64_t dx[4] = {mCx + i, mCx - i, mCx + j, mCx - j};
        const std::int64_t dy[4] = {mCy + j, mCy - j, mCy - i, mCy + i};
        for (int role = 0; role < 4; ++role) {
            if (valid[role] && static_cast<std::uint64_t>(dx[role]) <
                                   static_cast<std::uint64_t>(mDst.width) &&
                static_cast<std::uint64_t>(dy[role]) < static_cast<std::uint64_t>(mDst.height)) {
                // What reading and writing a COLORREF does to a pixel word: opaque, same RGB.
                mDst.pixels[static_cast<std::size_t>(dy[role]) * mDst.stride + dx[role]] =
                    0xFF000000u | (colour[role] & 0x00FFFFFFu);
            }
        }
    }

    const SurfacePixels& mSrc;
    const SurfacePixels& mDst;
    std::int64_t mCx;
    std::int64_t mCy;
    std::int64_t mExtent;
    RotationFrame mFrame;
    std::shared_ptr<const AngleTable> mTable;
    ChunkPositions mPositions;
};

} // namespace

void rotatePicture(dw::platform::Handle source, dw::platform::Handle destination,
                   std::int32_t width, std::int32_t height, double theta) {
    const std::int64_t extent = std::max<std::int64_t>(width, height) / 2 - 1;
    if (extent <= 0) {
        return;
    }
    SurfacePixels src;
    SurfacePixels dst;
    if (!dw::platform::LockSurface(source, &src) || !dw::platform::LockSurface(destination, &dst) ||
        src.width == 0 || src.height == 0 || dst.width == 0 || dst.height == 0) {
        return; // every read would be invalid or every write refused
    }
    // Source and destination centres coincide: both come from the same width and height.
    Rotator(src, dst, floorHalf(width), floorHalf(height), extent, theta).run();
}

} // namespace spinblit
