#pragma once

#include <string>
#include <variant>

#include "model/BlockModel.h"
#include "sheet/DemChunk.h"

namespace vesk {

// The grid as a mesh, or why it cannot be one: fewer than two rows or
// columns, a spacing that is not a positive number, a height that is not finite.
std::variant<TerrainModel, std::string> BuildTerrainMesh(const DemChunk& dem);

}  // namespace vesk
