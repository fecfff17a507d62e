#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/BlockModel.h"
#include "sheet/ByteSource.h"

namespace vesk {

struct DemChunk {
    TerrainGrid grid;
    std::vector<float> heights;  // row after row, from the southern edge
};

// The DEMF chunk at its recorded position, when its heights lie whole within
// both the chunk's body and the file; the count is checked before allocating.
std::optional<DemChunk> ReadDemChunk(ByteSource& sheet, std::uint32_t position);

}  // namespace vesk
