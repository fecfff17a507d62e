#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/BlockModel.h"
#include "model/FootprintSet.h"
#include "preview/BuildingDrawMesh.h"

namespace vesk::gui {

// A building as the light scene draws it: the smallest rectangle around its
// footprint, whatever way it turns, raised between its two heights.
struct BuildingBox {
    std::uint32_t number = 0;
    float bottom = 0.0f;
    float roof = 0.0f;
    double area = 0.0;                        // of the footprint itself, in square metres
    std::array<FootprintPoint, 4> corners{};  // counter-clockwise seen from above
};

// The boxes of the footprints as read, before any is triangulated.
std::vector<BuildingBox> BoxesOf(const FootprintSet& set);
// The boxes of the model's buildings, one per part, from their vertices.
std::vector<BuildingBox> BoxesOf(const BlockModel& model);

// Walls and roof of each box, over four corners at each height; no floors.
BuildingDrawMesh MakeBoxMesh(std::span<const BuildingBox> boxes);

// The terrain grid's triangles over every step-th row and column (and the
// last of each), so that no more than about maxCells cells are left; the
// vertices are the full grid's. None when the mesh is not that grid.
std::vector<std::uint32_t> CoarseTerrainIndices(const TerrainModel& terrain, std::size_t maxCells);

}  // namespace vesk::gui
