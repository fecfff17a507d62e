#pragma once

#include <vector>

#include "model/FootprintSet.h"
#include "model/FootprintTriangulation.h"

namespace vesk {

// Triangulates every footprint of the set, in the set's order. A block of
// many buildings is shared out among the machine's cores, each thread with a
// GEOS context of its own; the result is the same as one thread's.
std::vector<FootprintTriangulation> TriangulateFootprints(const FootprintSet& set);

}  // namespace vesk
