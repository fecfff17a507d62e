#pragma once

#include <span>
#include <vector>

#include "model/FootprintPoint.h"
#include "model/FootprintTriangulation.h"

namespace vesk {

// Whether the footprint is certainly a strictly convex polygon that winds
// once: every corner turns the same way by more than rounding could account
// for, and the directions of the edges go round exactly once. Such a polygon
// is simple, as a plain geometric fact. A repeated corner, a corner on a line
// with its neighbours, a concave corner or a star that winds twice all give
// false.
bool IsCertainlyStrictlyConvex(std::span<const FootprintPoint> footprint);

// The fan from the first corner: for a convex footprint, an exact
// triangulation that stays inside it. Each triangle counter-clockwise.
void AppendFan(std::size_t cornerCount, bool counterClockwise,
               std::vector<FootprintTriangle>& triangles);

}  // namespace vesk
