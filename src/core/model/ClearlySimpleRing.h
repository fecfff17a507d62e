#pragma once

#include <span>

#include "model/FootprintPoint.h"

namespace vesk {

// Whether a ring (an open ring of distinct neighbours) is surely simple: no
// two edges meet but neighbours at their shared corner. Each orientation is
// computed in doubles and trusted only beyond its rounding error bound, so
// "true" is never wrong; "false" means not proven, and GEOS decides. Rings of
// more than kMostCornersProven corners are left to GEOS, whose noding beats
// comparing every pair of edges there.
inline constexpr std::size_t kMostCornersProven = 32;
bool IsClearlySimpleRing(std::span<const FootprintPoint> ring);

}  // namespace vesk
