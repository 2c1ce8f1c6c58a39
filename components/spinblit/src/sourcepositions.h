#pragma once
// Where the four destination pixels of a rotation step (i, j) read from, as linear indices
// into the source (-1 where the position lies outside it). The positions are those of the
// rotation as written: r = sqrt(i² + j²), psi = phi + theta, C = r·cos psi, S = r·sin psi with
// the C library's cos and sin, each coordinate truncated toward zero after the centre is added.
//
// The fast path screens steps with the plain rotation C' = a·cos theta - b·sin theta,
// S' = a·sin theta + b·cos theta, where (a, b) = (i, j), or (j·cos phi0, j·sin phi0) for the
// column i = 0 whose angle phi0 is the fixed 1.570796326795. C' and S' differ from C and S
// only by rounding (far less than the screening margin), and the centres are whole numbers, so
// wherever C' and S' lie farther than the margin from every whole number, each coordinate
// truncates exactly as the written one does. Any other step is computed as written. The
// result is therefore identical, bit for bit, to the written arithmetic.
#include <cstdint>

namespace spinblit {

class AngleTable;

constexpr int kChunk = 64;

// What stays the same for all steps of one rotation.
struct RotationFrame {
    double theta = 0.0;
    double cosTheta = 1.0;
    double sinTheta = 0.0;
    double cxs = 0.0;
    double cys = 0.0;
    double margin = 0.0;    // C and S nearer a whole number than this are computed as written
    bool screening = false; // false: every step is computed as written
    std::int32_t srcWidth = 0;
    std::int32_t srcHeight = 0;
    std::int32_t srcStride = 0;
};

// The frame of a rotation with source centre (cxs, cys) and extent N over a source surface.
RotationFrame makeRotationFrame(double theta, std::int64_t cxs, std::int64_t cys,
                                std::int64_t extent, std::int32_t srcWidth, std::int32_t srcHeight,
                                std::int32_t srcStride);

// A coordinate truncated toward zero; values outside the 32-bit range (and NaN) give
// INT32_MIN, which lies outside every surface.
std::int32_t toCoordinate(double v);

// Steps (i0 + k·di, j0 + k·dj) for k = 0 .. count-1, count <= kChunk; a line along a column
// (di = 1) must start at i0 >= 1.
struct StepLine {
    std::int64_t i0;
    std::int64_t j0;
    int di;
    int dj;
};

// Roles: 0 serves (cxd + i, cyd + j), 1 (cxd - i, cyd - j), 2 (cxd + j, cyd - i),
// 3 (cxd - j, cyd + i). Bit r of a role mask asks for role r.
constexpr unsigned kAllRoles = 0xF;

// Source indices of the steps of `line` into out[role][k] for the roles asked. `table`, when
// not null, gives the offsets' angles (else they are computed where needed).
void lineIndices(const RotationFrame& frame, StepLine line, int count, const AngleTable* table,
                 unsigned roles, std::int32_t* const out[4]);

} // namespace spinblit
