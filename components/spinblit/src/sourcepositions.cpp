#include "sourcepositions.h"

#include <cmath>
#include <limits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace spinblit {

namespace {

// The vector path is used where its arithmetic is known to be exact or well bounded: squared
// distances below 2^52 (exact in double), angles whose reduction by pi/2 stays accurate,
// coordinates that fit the 32-bit conversion.
constexpr std::int64_t kMaxVectorOffset = std::int64_t{1} << 26;

#if defined(__x86_64__)

bool hasVectorUnit() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

// Cody-Waite reduction by pi/2 (the first 33 bits exactly, then the rest) and Taylor
// polynomials on [-pi/4, pi/4]: error near 1e-16, far below the frame's tolerance.
#define DW_AVX2 __attribute__((target("avx2")))

struct SinCos4 {
    __m256d s;
    __m256d c;
};

DW_AVX2 inline __m256d polySin(__m256d x, __m256d x2) {
    __m256d p = _mm256_set1_pd(-7.6471637318198164759e-13); // -1/15!
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(1.6059043836821614599e-10));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(-2.5052108385441718775e-08));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(2.7557319223985890653e-06));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(-1.9841269841269841270e-04));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(8.3333333333333333333e-03));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(-1.6666666666666666667e-01));
    return _mm256_add_pd(x, _mm256_mul_pd(_mm256_mul_pd(x, x2), p));
}

DW_AVX2 inline __m256d polyCos(__m256d x2) {
    __m256d p = _mm256_set1_pd(4.7794773323873852974e-14); // 1/16!
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(-1.1470745597729724714e-11));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(2.0876756987868098979e-09));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(-2.7557319223985890653e-07));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(2.4801587301587301587e-05));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(-1.3888888888888888889e-03));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(4.1666666666666666667e-02));
    p = _mm256_add_pd(_mm256_mul_pd(p, x2), _mm256_set1_pd(-0.5));
    return _mm256_add_pd(_mm256_set1_pd(1.0), _mm256_mul_pd(x2, p));
}

// Valid for |psi| below kMaxVectorAngle; other lanes give nonsense that callers reject.
DW_AVX2 inline SinCos4 sinCos4(__m256d psi) {
    const __m256d k = _mm256_round_pd(_mm256_mul_pd(psi, _mm256_set1_pd(0.63661977236758134308)),
                                      _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    __m256d x = _mm256_sub_pd(psi, _mm256_mul_pd(k, _mm256_set1_pd(1.57079632673412561417e+00)));
    x = _mm256_sub_pd(x, _mm256_mul_pd(k, _mm256_set1_pd(6.07710050650619224932e-11)));
    const __m256d x2 = _mm256_mul_pd(x, x);
    const __m256d sp = polySin(x, x2);
    const __m256d cp = polyCos(x2);
    // Quadrant q = k mod 4: swap for odd q, negate sin for q = 2, 3 and cos for q = 1, 2.
    const __m256i q = _mm256_cvtepi32_epi64(_mm256_cvtpd_epi32(k));
    const __m256i one = _mm256_set1_epi64x(1);
    const __m256i two = _mm256_set1_epi64x(2);
    const __m256d swap = _mm256_castsi256_pd(_mm256_cmpeq_epi64(_mm256_and_si256(q, one), one));
    const __m256d negS = _mm256_castsi256_pd(_mm256_cmpeq_epi64(_mm256_and_si256(q, two), two));
    const __m256d negC = _mm256_castsi256_pd(
        _mm256_cmpeq_epi64(_mm256_and_si256(_mm256_add_epi64(q, one), two), two));
    const __m256d sign = _mm256_set1_pd(-0.0);
    const __m256d s = _mm256_blendv_pd(sp, cp, swap);
    const __m256d c = _mm256_blendv_pd(cp, sp, swap);
    return {_mm256_xor_pd(s, _mm256_and_pd(negS, sign)), _mm256_xor_pd(c, _mm256_and_pd(negC, sign))};
}

constexpr double kMaxVectorAngle = 1e5;

// True in lanes where v is farther than `tol` from every whole number and small enough to
// convert; there truncating an approximation of v gives what truncating v itself gives.
DW_AVX2 inline __m256d safeToTruncate(__m256d v, __m256d tol) {
    const __m256d sign = _mm256_set1_pd(-0.0);
    const __m256d nearest = _mm256_round_pd(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    const __m256d distance = _mm256_andnot_pd(sign, _mm256_sub_pd(v, nearest));
    const __m256d size = _mm256_andnot_pd(sign, v);
    return _mm256_and_pd(_mm256_cmp_pd(distance, tol, _CMP_GT_OQ),
                         _mm256_cmp_pd(size, _mm256_set1_pd(1073741824.0), _CMP_LT_OQ));
}

DW_AVX2 inline void storeCoordinate(std::int32_t* out, __m256d v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_cvttpd_epi32(v));
}

// Positions of `groups` groups of four steps; returns a bit per lane that must be recomputed.
DW_AVX2 std::uint64_t vectorPositions(const RotationFrame& f, std::int64_t i, std::int64_t j0,
                                      int groups, const double* phi, ChunkPositions* out) {
    const __m256d ii = _mm256_set1_pd(static_cast<double>(i * i));
    const __m256d theta = _mm256_set1_pd(f.theta);
    const __m256d cxs = _mm256_set1_pd(f.cxs);
    const __m256d cys = _mm256_set1_pd(f.cys);
    const __m256d tol = _mm256_set1_pd(f.tolerance);
    const __m256d maxAngle = _mm256_set1_pd(kMaxVectorAngle);
    const __m256d sign = _mm256_set1_pd(-0.0);
    const double jd = static_cast<double>(j0);
    __m256d j = _mm256_setr_pd(jd, jd + 1, jd + 2, jd + 3);
    std::uint64_t recompute = 0;
    for (int g = 0; g < groups; ++g) {
        const int lane = 4 * g;
        const __m256d r = _mm256_sqrt_pd(_mm256_add_pd(ii, _mm256_mul_pd(j, j)));
        const __m256d psi = _mm256_add_pd(_mm256_loadu_pd(phi + lane), theta);
        const SinCos4 sc = sinCos4(psi);
        const __m256d c = _mm256_mul_pd(r, sc.c);
        const __m256d s = _mm256_mul_pd(r, sc.s);
        const __m256d v[8] = {_mm256_add_pd(cxs, c), _mm256_add_pd(cys, s),
                              _mm256_sub_pd(cxs, c), _mm256_sub_pd(cys, s),
                              _mm256_add_pd(cxs, s), _mm256_sub_pd(cys, c),
                              _mm256_sub_pd(cxs, s), _mm256_add_pd(cys, c)};
        __m256d ok = _mm256_cmp_pd(_mm256_andnot_pd(sign, psi), maxAngle, _CMP_LT_OQ);
        for (int k = 0; k < 4; ++k) {
            ok = _mm256_and_pd(ok, safeToTruncate(v[2 * k], tol));
            ok = _mm256_and_pd(ok, safeToTruncate(v[2 * k + 1], tol));
            storeCoordinate(out->x[k] + lane, v[2 * k]);
            storeCoordinate(out->y[k] + lane, v[2 * k + 1]);
        }
        recompute |= static_cast<std::uint64_t>(~_mm256_movemask_pd(ok) & 0xF) << lane;
        j = _mm256_add_pd(j, _mm256_set1_pd(4.0));
    }
    return recompute;
}

DW_AVX2 void vectorSinCos(const double* psi, double* s, double* c, int count) {
    for (int k = 0; k + 4 <= count; k += 4) {
        const SinCos4 sc = sinCos4(_mm256_loadu_pd(psi + k));
        _mm256_storeu_pd(s + k, sc.s);
        _mm256_storeu_pd(c + k, sc.c);
    }
}

#undef DW_AVX2

#else

bool hasVectorUnit() { return false; }

#endif

} // namespace

RotationFrame makeRotationFrame(double theta, std::int64_t cxs, std::int64_t cys,
                                std::int64_t extent) {
    RotationFrame f;
    f.theta = theta;
    f.cxs = static_cast<double>(cxs);
    f.cys = static_cast<double>(cys);
    // The vector sin and cos err by about 1e-16 and the glibc ones by under one unit in the
    // last place; a million times that margin costs almost no recomputation.
    const double rMax = 1.5 * static_cast<double>(extent);
    f.tolerance = 1e-9 * (1.0 + std::fabs(f.cxs) + std::fabs(f.cys) + rMax);
    return f;
}

std::int32_t toCoordinate(double v) {
    if (v > -2147483648.0 && v < 2147483648.0) {
        return static_cast<std::int32_t>(v);
    }
    return std::numeric_limits<std::int32_t>::min();
}

void exactPositions(const RotationFrame& f, std::int64_t i, std::int64_t j, double phi,
                    ChunkPositions* out, int lane) {
    const double r = std::sqrt(static_cast<double>(i * i + j * j));
    const double psi = phi + f.theta;
    const double c = r * std::cos(psi);
    const double s = r * std::sin(psi);
    out->x[0][lane] = toCoordinate(f.cxs + c);
    out->y[0][lane] = toCoordinate(f.cys + s);
    out->x[1][lane] = toCoordinate(f.cxs - c);
    out->y[1][lane] = toCoordinate(f.cys - s);
    out->x[2][lane] = toCoordinate(f.cxs + s);
    out->y[2][lane] = toCoordinate(f.cys - c);
    out->x[3][lane] = toCoordinate(f.cxs - s);
    out->y[3][lane] = toCoordinate(f.cys + c);
}

void chunkPositions(const RotationFrame& f, std::int64_t i, std::int64_t j0, int count,
                    const double* phi, ChunkPositions* out) {
    int lane = 0;
#if defined(__x86_64__)
    if (hasVectorUnit() && i < kMaxVectorOffset && j0 + count < kMaxVectorOffset &&
        std::isfinite(f.theta)) {
        const int groups = count / 4;
        std::uint64_t recompute = vectorPositions(f, i, j0, groups, phi, out);
        while (recompute != 0) {
            const int k = __builtin_ctzll(recompute);
            exactPositions(f, i, j0 + k, phi[k], out, k);
            recompute &= recompute - 1;
        }
        lane = 4 * groups;
    }
#endif
    for (; lane < count; ++lane) {
        exactPositions(f, i, j0 + lane, phi[lane], out, lane);
    }
}

bool approximateSinCos(const double* psi, double* sinOut, double* cosOut, int count) {
#if defined(__x86_64__)
    if (hasVectorUnit() && count % 4 == 0) {
        vectorSinCos(psi, sinOut, cosOut, count);
        return true;
    }
#endif
    (void)psi;
    (void)sinOut;
    (void)cosOut;
    (void)count;
    return false;
}

} // namespace spinblit
