#pragma once

#include <cstdint>
#include <vector>

#include "sheet/ByteSource.h"

namespace vesk {

// The ground grid as its DEMF chunk states it: points per row, rows, and
// their spacing in metres.
struct TerrainGrid {
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    float dx = 0.0f;
    float dy = 0.0f;
};

struct DemChunk {
    TerrainGrid grid;
    std::vector<float> heights;  // row after row, from the southern edge
};

enum class DemChunkRead {
    kRead,      // the grid and every height
    kNoPoints,  // a count of 0: the grid as stated, without heights
    kBroken,    // the grid or its heights run past the chunk's body or the file
};

struct DemChunkResult {
    DemChunkRead read = DemChunkRead::kBroken;
    DemChunk chunk;
};

// Reads the DEMF chunk at its recorded position; the header is not compared
// again, the load recognised it. Heights are read only when they lie whole
// within both the chunk's body and the file, their count checked before
// allocating. A grid with a count of 0 is refused even so: the product check
// alone would let the other count drive loops and allocations that the bytes
// do not back.
DemChunkResult ReadDemChunk(ByteSource& sheet, std::uint32_t position);

}  // namespace vesk
