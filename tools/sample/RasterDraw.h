#pragma once

#include <span>

#include "Geometry.h"
#include "Raster.h"

namespace vesk::sample {

// Points here are in pixel units of the raster: x to the right, y down, pixel
// (i, j) covering [i, i + 1) x [j, j + 1).

// Fills the pixels whose centres lie inside the closed ring (even-odd rule), so
// concave outlines come out right. Parts outside the raster are clipped.
void FillPolygon(Raster& raster, std::span<const Point2> ring, Colour colour);

// Draws the ring's edges, the closing one too, one pixel wide; a ring smaller
// than a pixel still leaves a dot.
void DrawRing(Raster& raster, std::span<const Point2> ring, Colour colour);

}  // namespace vesk::sample
