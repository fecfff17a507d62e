#pragma once

#include <array>
#include <span>

#include "model/FootprintPoint.h"
#include "model/GeosContext.h"

namespace vesk {

// The smallest-area rectangle that holds the points, whatever way it turns
// (GEOS's minimum rotated rectangle), its corners counter-clockwise seen from
// above; of no width when the points lie on one line. Their axis-aligned
// extent when GEOS cannot make it.
std::array<FootprintPoint, 4> SmallestRectangle(const GeosContext& geos,
                                                std::span<const FootprintPoint> points);

// A footprint's area in square metres: positive when it turns counter-clockwise
// seen from above. Summed about its first corner, which keeps it exact for
// small footprints far from the origin.
double SignedFootprintArea(std::span<const FootprintPoint> footprint);

}  // namespace vesk
