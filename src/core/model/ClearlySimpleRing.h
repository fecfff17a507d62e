#pragma once

#include <span>

#include "model/FootprintPoint.h"

namespace vesk {

// Whether a ring (an open ring of distinct neighbours) is simple: no two
// edges meet but neighbours at their shared corner, and no corner runs back
// along its edge (one that runs straight on is simple). Every turn is exact
// (ExactTurn), so the answer is the truth; GEOS is asked only where a ring
// is not simple, for where it crosses. Rings of up to kMostCornersCompared
// corners compare every pair of edges; larger ones are swept, in n log n:
// GEOS's noding compares the edges whose bounding boxes overlap, which for a
// star or a slanted comb are most pairs.
inline constexpr std::size_t kMostCornersCompared = 32;
bool IsClearlySimpleRing(std::span<const FootprintPoint> ring);

}  // namespace vesk
