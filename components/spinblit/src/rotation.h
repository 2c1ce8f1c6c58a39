#pragma once
// Rotation of a picture about its centre into another surface (or the same one), pixel for
// pixel as the rotation is written down: destination offsets (i, j) from 0 to N - 1 with
// N = max(width, height) / 2 - 1, four destination pixels per step, each taking the source
// pixel its rotated offset lands on (truncated toward zero), all four read before any is
// written, and a destination pixel left alone where its source lies outside the source.
#include <cstdint>

#include "dw/platform/surface.h"

namespace spinblit {

// Rotates the picture on `source` by `theta` radians (anticlockwise on screen for theta > 0)
// into `destination`, both taken as `width` by `height` with the centre (width/2, height/2),
// halves rounded down. Handles that name nothing, empty surfaces and sizes that do not match
// the surfaces write nothing where a pixel operation would have been refused. Never fails.
void rotatePicture(dw::platform::Handle source, dw::platform::Handle destination,
                   std::int32_t width, std::int32_t height, double theta);

} // namespace spinblit
