#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sheet/ByteSource.h"
#include "sheet/LittleEndian.h"

namespace vesk {

inline constexpr std::uint32_t kBuildingCornerBytes = 8;  // x, y

// One building as its STRC chunk stores it: the two heights and the bytes of
// its footprint's corners (an open ring, in file order), decoded where they
// are used, so that a building in memory takes no more room than its body.
struct BuildingChunk {
    float bottom = 0.0f;
    float roof = 0.0f;
    std::vector<std::byte> corners;

    std::size_t CornerCount() const { return corners.size() / kBuildingCornerBytes; }
    float X(std::size_t i) const { return DecodeF32(corners.data() + i * kBuildingCornerBytes); }
    float Y(std::size_t i) const {
        return DecodeF32(corners.data() + i * kBuildingCornerBytes + 4);
    }

    // Whether both heights and every corner are finite numbers.
    bool AllFinite() const;
};

enum class BuildingChunkRead { kRead, kNotABuilding, kBroken };

// Reads STRC chunks one at a time into a buffer that is reused, so that memory
// follows the largest building, about once over, not the number of buildings.
// The corner count is checked against the bytes left in both the body and the
// file before anything is allocated for it.
class BuildingChunkReader {
public:
    explicit BuildingChunkReader(ByteSource& sheet) : sheet_(sheet) {}

    // A position whose header is not a building's is kNotABuilding; a header
    // that cannot be read, or corners that run past the body or the file, kBroken.
    BuildingChunkRead Read(std::uint32_t position);
    const BuildingChunk& Current() const { return building_; }

private:
    ByteSource& sheet_;
    BuildingChunk building_;
};

}  // namespace vesk
