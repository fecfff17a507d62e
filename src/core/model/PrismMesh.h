#pragma once

#include <span>

#include "model/BlockModel.h"
#include "model/FootprintTriangulation.h"

namespace vesk {

// Appends the closed prism of a footprint between two heights: the roof and
// the floor from the footprint's triangles, and one quad of two triangles per
// edge of non-zero length. Every normal points out of the prism, whichever way
// the footprint turns. Footprint corners are in the mesh's frame already.
void AppendPrism(TriangleMesh& mesh, std::span<const FootprintPoint> footprint,
                 const FootprintTriangulation& triangulation, float bottom, float roof);

// How many vertices and indices AppendPrism adds, at most, for footprints of
// this many corners in all.
std::uint64_t PrismVertexBound(std::uint64_t corners);
std::uint64_t PrismIndexBound(std::uint64_t corners);

}  // namespace vesk
