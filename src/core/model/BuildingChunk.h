#pragma once

#include <cstdint>
#include <vector>

#include "sheet/ByteSource.h"

namespace vesk {

struct FootprintPoint {
    double x = 0.0;
    double y = 0.0;
};

struct BuildingChunk {
    float bottom = 0.0f;
    float roof = 0.0f;
    std::vector<FootprintPoint> footprint;  // open ring, in file order
};

enum class BuildingChunkRead { kRead, kNotABuilding, kBroken };

// Reads STRC chunks one at a time into a reused buffer. The vertex count is
// checked against the bytes left in both the body and the file before
// anything is allocated for it.
class BuildingChunkReader {
public:
    explicit BuildingChunkReader(ByteSource& sheet) : sheet_(sheet) {}

    BuildingChunkRead Read(std::uint32_t position);
    const BuildingChunk& Current() const { return building_; }

private:
    ByteSource& sheet_;
    std::vector<std::byte> bytes_;
    BuildingChunk building_;
};

}  // namespace vesk
