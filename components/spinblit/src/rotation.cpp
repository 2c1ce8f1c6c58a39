#include "rotation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "angletable.h"
#include "sourcepositions.h"

namespace spinblit {

using dw::platform::SurfacePixels;

namespace {

struct Range {
    std::int64_t lo; // inclusive
    std::int64_t hi; // inclusive; empty when hi < lo
    bool contains(std::int64_t v) const { return v >= lo && v <= hi; }
    bool meets(Range o) const { return std::max(lo, o.lo) <= std::min(hi, o.hi); }
};

std::int64_t floorHalf(std::int64_t v) {
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

// The offsets t in [0, extent) for which centre + sign·t lies inside [0, size).
Range inside(std::int64_t centre, std::int64_t size, int sign, std::int64_t extent) {
    const Range r = sign > 0 ? Range{-centre, size - 1 - centre} : Range{centre - size + 1, centre};
    return {std::max<std::int64_t>(r.lo, 0), std::min(r.hi, extent - 1)};
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

// What a COLORREF read and written back does to a pixel word: opaque, same red, green, blue.
inline std::uint32_t opaque(std::uint32_t word) {
    return 0xFF000000u | (word & 0x00FFFFFFu);
}

// Writes pixels row[x0 + dir·k] for k in [kLo, kHi] from source pixels src[index[k]], leaving
// those whose index is -1. With kPrefetch, it also asks for src[index[k] + ahead] (kept inside
// [0, last]): what the same run a few rows on will read, so that memory has time to deliver it.
template <bool kPrefetch>
void writeRun(std::uint32_t* row, std::int64_t x0, int dir, const std::uint32_t* src,
              const std::int32_t* index, std::int64_t kLo, std::int64_t kHi, std::int64_t ahead,
              std::int64_t last) {
    for (std::int64_t k = kLo; k <= kHi; ++k) {
        const std::int32_t s = index[k];
        if (s >= 0) {
            if constexpr (kPrefetch) {
                __builtin_prefetch(src + std::clamp<std::int64_t>(s + ahead, 0, last));
            }
            row[x0 + dir * k] = opaque(src[s]);
        }
    }
}

// The steps (i, j) that can write a destination pixel: role k writes only where i lies in
// rows[k] and j in cols[k]. Steps outside every role write nothing, so leaving them out
// changes no result, and the work stays bounded by the destination surface.
struct StepRegion {
    std::array<Range, 4> rows;
    std::array<Range, 4> cols;

    StepRegion(std::int64_t cx, std::int64_t cy, const SurfacePixels& dst, std::int64_t extent) {
        const Range xPlus = inside(cx, dst.width, +1, extent);
        const Range xMinus = inside(cx, dst.width, -1, extent);
        const Range yPlus = inside(cy, dst.height, +1, extent);
        const Range yMinus = inside(cy, dst.height, -1, extent);
        // Roles write (cx + i, cy + j), (cx - i, cy - j), (cx + j, cy - i), (cx - j, cy + i).
        rows = {xPlus, xMinus, yMinus, yPlus};
        cols = {yPlus, yMinus, xPlus, xMinus};
    }

    std::vector<Range> allRows() const { return merged({rows.begin(), rows.end()}); }

    std::vector<Range> colsOf(std::int64_t i) const {
        std::vector<Range> c;
        for (int role = 0; role < 4; ++role) {
            if (rows[role].contains(i)) {
                c.push_back(cols[role]);
            }
        }
        return merged(std::move(c));
    }
};

class Rotator {
public:
    Rotator(const SurfacePixels& src, const SurfacePixels& dst, std::int64_t cx, std::int64_t cy,
            std::int64_t extent, double theta)
        : mSrc(src), mDst(dst), mCx(cx), mCy(cy), mExtent(extent),
          mFrame(makeRotationFrame(theta, cx, cy, extent, src.width, src.height, src.stride)),
          mRegion(cx, cy, dst, extent),
          mTable(AngleTable::forExtent(static_cast<int>(std::min<std::int64_t>(extent, 1 << 30)))) {
        // A source larger than the processor's nearer caches is read from memory as the
        // rotated runs sweep it; asking for it a few runs ahead hides the wait. Successive runs
        // of role r read the source shifted by this vector: (dx, dy) per run.
        mPrefetch =
            mFrame.screening && static_cast<std::int64_t>(src.height) * src.stride * 4 > (1 << 20);
        const double sinT = mFrame.sinTheta;
        const double cosT = mFrame.cosTheta;
        const double shift[4][2] = {{-sinT, cosT}, {sinT, -cosT}, {sinT, -cosT}, {-sinT, cosT}};
        for (int role = 0; role < 4; ++role) {
            mAhead[role] = mPrefetch ? std::llround(kRunsAhead * shift[role][0]) +
                                           std::llround(kRunsAhead * shift[role][1]) * src.stride
                                     : 0;
        }
    }

    // Every step in the written order, each reading its four pixels before writing them: the
    // only order that is right when source and destination are the same pixels.
    void runInOrder() {
        for (Range rows : mRegion.allRows()) {
            for (std::int64_t i = rows.lo; i <= rows.hi; ++i) {
                for (Range c : mRegion.colsOf(i)) {
                    runSteps(i, c);
                }
            }
        }
    }

    // Source and destination apart: steps off the axes write pixels no other step writes and
    // read pixels no step writes, so they go in tiles, each role row by row through the
    // destination. Steps on the axes (i = 0 or j = 0) write the pixels that are written twice;
    // they keep the written order among themselves.
    void runTiled() {
        for (Range rows : mRegion.allRows()) {
            for (std::int64_t i0 = std::max<std::int64_t>(rows.lo, 1); i0 <= rows.hi; i0 += kTile) {
                const Range tileRows{i0, std::min(rows.hi, i0 + kTile - 1)};
                runTileRow(tileRows);
            }
        }
        const std::vector<Range> rows = mRegion.allRows();
        if (!rows.empty() && rows.front().lo == 0) {
            for (Range c : mRegion.colsOf(0)) {
                runSteps(0, c);
            }
        }
        for (Range rowRange : rows) {
            for (std::int64_t i = std::max<std::int64_t>(rowRange.lo, 1); i <= rowRange.hi; ++i) {
                for (Range c : mRegion.colsOf(i)) {
                    if (c.lo == 0) {
                        runSteps(i, {0, 0});
                    }
                }
            }
        }
    }

private:
    static constexpr int kTile = 64;
    static constexpr double kRunsAhead = 2.0;
    static_assert(kTile <= kChunk);

    void runSteps(std::int64_t i, Range cols) {
        std::int32_t index[4][kChunk];
        std::int32_t* const out[4] = {index[0], index[1], index[2], index[3]};
        for (std::int64_t j0 = cols.lo; j0 <= cols.hi; j0 += kChunk) {
            const int count = static_cast<int>(std::min<std::int64_t>(kChunk, cols.hi - j0 + 1));
            lineIndices(mFrame, {i, j0, 0, 1}, count, mTable.get(), kAllRoles, out);
            for (int k = 0; k < count; ++k) {
                moveStep(i, j0 + k, index, k);
            }
        }
    }

    // Reads the four source pixels, then writes the four destination pixels, in role order.
    void moveStep(std::int64_t i, std::int64_t j, const std::int32_t (*index)[kChunk], int lane) {
        std::uint32_t colour[4];
        for (int role = 0; role < 4; ++role) {
            const std::int32_t k = index[role][lane];
            colour[role] = k >= 0 ? mSrc.pixels[k] : 0;
        }
        const std::int64_t dx[4] = {mCx + i, mCx - i, mCx + j, mCx - j};
        const std::int64_t dy[4] = {mCy + j, mCy - j, mCy - i, mCy + i};
        for (int role = 0; role < 4; ++role) {
            if (index[role][lane] >= 0 &&
                static_cast<std::uint64_t>(dx[role]) < static_cast<std::uint64_t>(mDst.width) &&
                static_cast<std::uint64_t>(dy[role]) < static_cast<std::uint64_t>(mDst.height)) {
                mDst.pixels[dy[role] * mDst.stride + dx[role]] = opaque(colour[role]);
            }
        }
    }

    void runTileRow(Range tileRows) {
        std::vector<Range> rowCols[kTile];
        std::int64_t jMax = 0;
        for (std::int64_t i = tileRows.lo; i <= tileRows.hi; ++i) {
            rowCols[i - tileRows.lo] = mRegion.colsOf(i);
            if (!rowCols[i - tileRows.lo].empty()) {
                jMax = std::max(jMax, rowCols[i - tileRows.lo].back().hi);
            }
        }
        for (std::int64_t j0 = 1; j0 <= jMax; j0 += kTile) {
            const Range tileCols{j0, std::min(jMax, j0 + kTile - 1)};
            bool any = false;
            for (std::int64_t i = tileRows.lo; i <= tileRows.hi && !any; ++i) {
                for (Range c : rowCols[i - tileRows.lo]) {
                    any = any || c.meets(tileCols);
                }
            }
            if (any) {
                runTile(tileRows, tileCols);
            }
        }
    }

    // Roles 2 and 3 write destination rows along i-rows of steps, roles 0 and 1 along
    // j-columns; each run's source indices are computed along it. Steps outside the region
    // write nothing: every write is checked.
    void runTile(Range rows, Range cols) {
        std::int32_t index[4][kChunk];
        std::int32_t* const out[4] = {index[0], index[1], index[2], index[3]};
        const int width = static_cast<int>(cols.hi - cols.lo + 1);
        for (std::int64_t i = rows.lo; i <= rows.hi; ++i) {
            lineIndices(mFrame, {i, cols.lo, 0, 1}, width, mTable.get(), 0xCu, out);
            writeRow(mCy - i, mCx + cols.lo, +1, index[2], width, mAhead[2]); // (cx + j, cy - i)
            writeRow(mCy + i, mCx - cols.lo, -1, index[3], width, mAhead[3]); // (cx - j, cy + i)
        }
        const int height = static_cast<int>(rows.hi - rows.lo + 1);
        for (std::int64_t j = cols.lo; j <= cols.hi; ++j) {
            lineIndices(mFrame, {rows.lo, j, 1, 0}, height, mTable.get(), 0x3u, out);
            writeRow(mCy + j, mCx + rows.lo, +1, index[0], height, mAhead[0]); // (cx + i, cy + j)
            writeRow(mCy - j, mCx - rows.lo, -1, index[1], height, mAhead[1]); // (cx - i, cy - j)
        }
    }

    // Writes `count` pixels of destination row y from x0 on in direction dir, the k-th taking
    // source pixel index[k] (none where that is -1); `ahead` as for writeRun.
    void writeRow(std::int64_t y, std::int64_t x0, int dir, const std::int32_t* index, int count,
                  std::int64_t ahead) {
        if (static_cast<std::uint64_t>(y) >= static_cast<std::uint64_t>(mDst.height)) {
            return;
        }
        // The k for which x0 + dir·k lies inside [0, width).
        const std::int64_t kLo = std::max<std::int64_t>(dir > 0 ? -x0 : x0 - (mDst.width - 1), 0);
        const std::int64_t kHi =
            std::min<std::int64_t>(dir > 0 ? mDst.width - 1 - x0 : x0, count - 1);
        std::uint32_t* row = mDst.pixels + y * mDst.stride;
        if (mPrefetch) {
            const std::int64_t last = static_cast<std::int64_t>(mSrc.height) * mSrc.stride - 1;
            writeRun<true>(row, x0, dir, mSrc.pixels, index, kLo, kHi, ahead, last);
        } else {
            writeRun<false>(row, x0, dir, mSrc.pixels, index, kLo, kHi, 0, 0);
        }
    }

    const SurfacePixels& mSrc;
    const SurfacePixels& mDst;
    std::int64_t mCx;
    std::int64_t mCy;
    std::int64_t mExtent;
    RotationFrame mFrame;
    StepRegion mRegion;
    std::shared_ptr<const AngleTable> mTable;
    bool mPrefetch = false;
    std::int64_t mAhead[4] = {};
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
    auto rotator =
        std::make_unique<Rotator>(src, dst, floorHalf(width), floorHalf(height), extent, theta);
    if (src.pixels == dst.pixels) {
        rotator->runInOrder();
    } else {
        rotator->runTiled();
    }
}

} // namespace spinblit
