#pragma once

#include <variant>

#include "model/BlockModel.h"
#include "sheet/DemChunk.h"

namespace vesk {

// The grid as a mesh, or why it cannot be one (model_messages::kGridTooSmall
// and the three after it): fewer than two rows or columns, a spacing that is
// not a positive number, a grid too wide for a float, a height that is not finite.
std::variant<TerrainModel, DiagnosticKind> BuildTerrainMesh(const DemChunk& dem);

}  // namespace vesk
