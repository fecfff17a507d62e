#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/BlockModel.h"

namespace vesk {

// A run of indices of a mesh: three per triangle.
struct IndexRange {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

// Buildings as drawn: triangles over one vertex per corner of each building
// (the drawing takes a triangle's normal from its own plane), the floors
// last, since only a camera below a floor can see them. Each building's
// triangles are one run above the floors and one among them, so that one
// building can be drawn again over the rest.
struct BuildingDrawMesh {
    std::vector<Vec3> positions;
    std::vector<std::uint32_t> indices;
    std::size_t floorIndexStart = 0;
    float highestFloor = 0.0f;
    std::vector<IndexRange> parts;   // one per building, before floorIndexStart
    std::vector<IndexRange> floors;  // one per building, from floorIndexStart on
};

// The model's buildings with the vertices they share at a corner welded into
// one, each building's own; triangles that reach outside their building's
// vertices are left out.
BuildingDrawMesh MakeDrawMesh(const BlockModel& model);

}  // namespace vesk
