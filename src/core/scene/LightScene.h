#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/BuildingBoxes.h"
#include "scene/BuildingDrawMesh.h"

namespace vesk {

// Walls and roof of each box, over four corners at each height; no floors.
BuildingDrawMesh MakeBoxMesh(std::span<const BuildingBox> boxes);

// The terrain grid's triangles over every step-th row and column (and the
// last of each), so that no more than about maxCells cells are left; the
// vertices are the full grid's. None when the mesh is not that grid.
std::vector<std::uint32_t> CoarseTerrainIndices(const TerrainModel& terrain, std::size_t maxCells);

}  // namespace vesk
