#pragma once

#include <vector>

#include "Geometry.h"
#include "Random.h"

namespace vesk::sample {

// A building footprint that fits inside lot: a rectangle, an L, U, T or stepped
// outline (concave), a triangle or a pentagon, sometimes turned a little. The
// ring is open and counter-clockwise (x east, y north).
std::vector<Point2> MakeFootprint(Random& random, const PlaneRect& lot);

}  // namespace vesk::sample
