#include "sourcepositions.h"

#include <cmath>
#include <limits>

#include "angletable.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace spinblit {

namespace {

// Screening is used where its arithmetic is known to be close: offsets whose squares are exact
// in double, centres and coordinates well inside the 32-bit range, angles whose sum with phi
// rounds by little.
constexpr std::int64_t kMaxScreenedOffset = std::int64_t{1} << 26;
constexpr double kMaxScreenedCentre = 1 << 28;
constexpr double kMaxScreenedAngle = 1e9;
constexpr double kColumnAngle = 1.570796326795;

std::int32_t indexOf(const RotationFrame& f, std::int32_t x, std::int32_t y) {
    if (static_cast<std::uint32_t>(x) < static_cast<std::uint32_t>(f.srcWidth) &&
        static_cast<std::uint32_t>(y) < static_cast<std::uint32_t>(f.srcHeight)) {
        return y * f.srcStride + x;
    }
    return -1;
}

bool farFromWhole(double v, double margin) {
    return std::fabs(v - std::nearbyint(v)) > margin;
}

// The source indices of one step from its C and S, into out[role][k] for the roles asked.
void storeStep(const RotationFrame& f, double c, double s, unsigned roles,
               std::int32_t* const out[4], int k) {
    const double x[4] = {f.cxs + c, f.cxs - c, f.cxs + s, f.cxs - s};
    const double y[4] = {f.cys + s, f.cys - s, f.cys - c, f.cys + c};
    for (int role = 0; role < 4; ++role) {
        if ((roles >> role) & 1u) {
            out[role][k] = indexOf(f, toCoordinate(x[role]), toCoordinate(y[role]));
        }
    }
}

// One step as written.
void exactStep(const RotationFrame& f, std::int64_t i, std::int64_t j, const AngleTable* table,
               unsigned roles, std::int32_t* const out[4], int k) {
    const double phi = table != nullptr ? table->at(i, j) : offsetAngle(i, j);
    const double r = std::sqrt(static_cast<double>(i * i + j * j));
    const double psi = phi + f.theta;
    storeStep(f, r * std::cos(psi), r * std::sin(psi), roles, out, k);
}

#if defined(__x86_64__)

#define DW_AVX2 __attribute__((target("avx2")))

bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

// Lanes where v is farther than `margin` from every whole number.
DW_AVX2 inline __m256d farFromWhole4(__m256d v, __m256d margin) {
    const __m256d nearest = _mm256_round_pd(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    const __m256d distance = _mm256_andnot_pd(_mm256_set1_pd(-0.0), _mm256_sub_pd(v, nearest));
    return _mm256_cmp_pd(distance, margin, _CMP_GT_OQ);
}

// Source indices of four lanes from their coordinates; -1 outside the source. Coordinates
// beyond the 32-bit range convert to INT32_MIN, which is outside too.
DW_AVX2 inline void storeIndices(std::int32_t* out, __m256d xv, __m256d yv, __m128i width,
                                 __m128i height, __m128i stride) {
    const __m128i x = _mm256_cvttpd_epi32(xv);
    const __m128i y = _mm256_cvttpd_epi32(yv);
    const __m128i bias = _mm_set1_epi32(INT32_MIN); // unsigned comparisons through signed ones
    const __m128i inside = _mm_and_si128(_mm_cmpgt_epi32(width, _mm_xor_si128(x, bias)),
                                         _mm_cmpgt_epi32(height, _mm_xor_si128(y, bias)));
    const __m128i index = _mm_add_epi32(_mm_mullo_epi32(y, stride), x);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm_blendv_epi8(_mm_set1_epi32(-1), index, inside));
}

// Screens `groups` groups of four steps with (a, b) = (a0 + k·aStep, b0 + k·bStep); returns a
// bit per step that must be computed as written.
DW_AVX2 std::uint64_t screenedLine(const RotationFrame& f, double a0, double aStep, double b0,
                                   double bStep, int groups, unsigned roles,
                                   std::int32_t* const out[4]) {
    const __m256d cosT = _mm256_set1_pd(f.cosTheta);
    const __m256d sinT = _mm256_set1_pd(f.sinTheta);
    const __m256d cxs = _mm256_set1_pd(f.cxs);
    const __m256d cys = _mm256_set1_pd(f.cys);
    const __m256d margin = _mm256_set1_pd(f.margin);
    const __m128i bias = _mm_set1_epi32(INT32_MIN);
    const __m128i width = _mm_xor_si128(_mm_set1_epi32(f.srcWidth), bias);
    const __m128i height = _mm_xor_si128(_mm_set1_epi32(f.srcHeight), bias);
    const __m128i stride = _mm_set1_epi32(f.srcStride);
    const __m256d lane = _mm256_setr_pd(0, 1, 2, 3);
    std::uint64_t recompute = 0;
    for (int g = 0; g < groups; ++g) {
        const __m256d k = _mm256_add_pd(_mm256_set1_pd(4.0 * g), lane);
        const __m256d a =
            _mm256_add_pd(_mm256_set1_pd(a0), _mm256_mul_pd(k, _mm256_set1_pd(aStep)));
        const __m256d b =
            _mm256_add_pd(_mm256_set1_pd(b0), _mm256_mul_pd(k, _mm256_set1_pd(bStep)));
        const __m256d c = _mm256_sub_pd(_mm256_mul_pd(a, cosT), _mm256_mul_pd(b, sinT));
        const __m256d s = _mm256_add_pd(_mm256_mul_pd(a, sinT), _mm256_mul_pd(b, cosT));
        const __m256d ok = _mm256_and_pd(farFromWhole4(c, margin), farFromWhole4(s, margin));
        const __m256d x[4] = {_mm256_add_pd(cxs, c), _mm256_sub_pd(cxs, c), _mm256_add_pd(cxs, s),
                              _mm256_sub_pd(cxs, s)};
        const __m256d y[4] = {_mm256_add_pd(cys, s), _mm256_sub_pd(cys, s), _mm256_sub_pd(cys, c),
                              _mm256_add_pd(cys, c)};
        for (int role = 0; role < 4; ++role) {
            if ((roles >> role) & 1u) {
                storeIndices(out[role] + 4 * g, x[role], y[role], width, height, stride);
            }
        }
        recompute |= static_cast<std::uint64_t>(~_mm256_movemask_pd(ok) & 0xF) << (4 * g);
    }
    return recompute;
}

#undef DW_AVX2

#endif

} // namespace

RotationFrame makeRotationFrame(double theta, std::int64_t cxs, std::int64_t cys,
                                std::int64_t extent, std::int32_t srcWidth, std::int32_t srcHeight,
                                std::int32_t srcStride) {
    RotationFrame f;
    f.theta = theta;
    f.cosTheta = std::cos(theta);
    f.sinTheta = std::sin(theta);
    f.cxs = static_cast<double>(cxs);
    f.cys = static_cast<double>(cys);
    f.srcWidth = srcWidth;
    f.srcHeight = srcHeight;
    f.srcStride = srcStride;
    // C' and S' differ from C and S by a few units in the last place of r (the angle of the
    // offset, its sum with theta, cos and sin, the products), each at most r times a few
    // 1e-16, plus the rounding of phi + theta, which grows with |theta|; adding the centre
    // rounds by a unit in the last place of the coordinate. The margin is ten thousand times
    // that bound and still rarely met.
    const double rMax = 1.5 * static_cast<double>(extent);
    const bool finite = std::isfinite(theta) && std::fabs(theta) < kMaxScreenedAngle;
    const double angleUlp = finite ? std::ldexp(1.0, std::ilogb(std::fabs(theta) + 2.0) - 52) : 1.0;
    f.margin =
        1e4 * (rMax * (1e-15 + angleUlp) + 1e-15 * (1.0 + std::fabs(f.cxs) + std::fabs(f.cys)));
    f.screening = finite && extent < kMaxScreenedOffset && std::fabs(f.cxs) < kMaxScreenedCentre &&
                  std::fabs(f.cys) < kMaxScreenedCentre && f.margin < 0.01;
    return f;
}

std::int32_t toCoordinate(double v) {
    if (v > -2147483648.0 && v < 2147483648.0) {
        return static_cast<std::int32_t>(v);
    }
    return std::numeric_limits<std::int32_t>::min();
}

void lineIndices(const RotationFrame& f, StepLine line, int count, const AngleTable* table,
                 unsigned roles, std::int32_t* const out[4]) {
    auto exact = [&](int k) {
        exactStep(f, line.i0 + k * line.di, line.j0 + k * line.dj, table, roles, out, k);
    };
    if (!f.screening) {
        for (int k = 0; k < count; ++k) {
            exact(k);
        }
        return;
    }
    // (a, b) of the plain rotation along the line: the offset itself, or along the column
    // i = 0 the fixed column angle.
    const bool column0 = line.i0 == 0 && line.di == 0;
    const double a0 = column0 ? line.j0 * std::cos(kColumnAngle) : static_cast<double>(line.i0);
    const double aStep = column0 ? line.dj * std::cos(kColumnAngle) : line.di;
    const double b0 = column0 ? line.j0 * std::sin(kColumnAngle) : static_cast<double>(line.j0);
    const double bStep = column0 ? line.dj * std::sin(kColumnAngle) : line.dj;
    int k = 0;
#if defined(__x86_64__)
    if (hasAvx2()) {
        const int groups = count / 4;
        for (std::uint64_t redo = screenedLine(f, a0, aStep, b0, bStep, groups, roles, out);
             redo != 0; redo &= redo - 1) {
            exact(__builtin_ctzll(redo));
        }
        k = 4 * groups;
    }
#endif
    for (; k < count; ++k) {
        const double a = a0 + k * aStep;
        const double b = b0 + k * bStep;
        const double c = a * f.cosTheta - b * f.sinTheta;
        const double s = a * f.sinTheta + b * f.cosTheta;
        if (farFromWhole(c, f.margin) && farFromWhole(s, f.margin)) {
            storeStep(f, c, s, roles, out, k);
        } else {
            exact(k);
        }
    }
}

} // namespace spinblit
