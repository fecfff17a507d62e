#pragma once

#include <array>
#include <optional>
#include <string>
#include <variant>

#include "geo/PlaneGeoreference.h"
#include "model/BlockModel.h"
#include "tiles/TileRegion.h"

namespace vesk {

// Where a block's model lies on the Earth: the tile transform, a column-major
// 4 x 4 matrix from the block's frame (x east, y north, z up, metres from
// its origin at height 0) to Earth-centred coordinates, and the region
// holding everything the model has.
struct BlockPlacement {
    std::array<double, 16> transform{};
    TileRegion region;
};

// Computes the placement with PROJ; the reason when the zone has no
// georeference or PROJ cannot transform the block.
std::variant<BlockPlacement, std::string> PlaceBlock(geo::PlaneGeoreference& georeference,
                                                     const BlockModel& model);

}  // namespace vesk
