#pragma once
// Where the four destination pixels of a rotation step (i, j) read from. The positions are
// those of the rotation as written: r = sqrt(i² + j²), psi = phi + theta, C = r·cos psi,
// S = r·sin psi with the C library's cos and sin, and each coordinate truncated toward zero
// after the centre is added. The fast path computes cos and sin with its own vector
// approximation, and only where a truncation could then come out differently (a coordinate
// within a hair of a whole number) recomputes the step exactly, so its positions are
// identical to the exact ones, bit for bit.
#include <cstdint>

namespace spinblit {

constexpr int kChunk = 64;

// Positions of up to kChunk steps, by role: role 0 serves (cxd + i, cyd + j), 1 (cxd - i,
// cyd - j), 2 (cxd + j, cyd - i), 3 (cxd - j, cyd + i).
struct ChunkPositions {
    std::int32_t x[4][kChunk];
    std::int32_t y[4][kChunk];
};

// What stays the same for all steps of one rotation.
struct RotationFrame {
    double theta = 0.0;
    double cxs = 0.0;
    double cys = 0.0;
    double tolerance = 0.0; // how near a whole number a coordinate must be to be recomputed
};

// The frame of a rotation with source centre (cxs, cys) and extent N.
RotationFrame makeRotationFrame(double theta, std::int64_t cxs, std::int64_t cys,
                                std::int64_t extent);

// A coordinate truncated toward zero; values outside the 32-bit range (and NaN) give
// INT32_MIN, which lies outside every surface.
std::int32_t toCoordinate(double v);

// Positions of steps (i, j0) .. (i, j0 + count - 1), count <= kChunk, whose offset angles are
// phi[0 .. count-1].
void chunkPositions(const RotationFrame& frame, std::int64_t i, std::int64_t j0, int count,
                    const double* phi, ChunkPositions* out);

// The positions of one step computed exactly, into `lane` of `out`.
void exactPositions(const RotationFrame& frame, std::int64_t i, std::int64_t j, double phi,
                    ChunkPositions* out, int lane);

// The vector approximation of sin and cos, for tests of its accuracy: false, and nothing
// written, where the processor has no vector unit it uses.
bool approximateSinCos(const double* psi, double* sinOut, double* cosOut, int count);

} // namespace spinblit
