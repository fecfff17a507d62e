#include "model/FootprintSet.h"

#include <cmath>
#include <optional>
#include <string>

#include "model/BlockCentre.h"
#include "model/ChunkFault.h"

namespace vesk {
namespace {

// Why a building read whole still cannot be built; nothing when it can.
std::optional<LeftOutBuilding> NumberFault(const BuildingChunk& chunk, double x0, double y0) {
    if (!chunk.AllFinite()) {
        return LeftOutBuilding{.reason = Describe(DataFault::kBuildingNotFinite),
                               .code = DataFault::kBuildingNotFinite};
    }
    // Floats hold the block's frame: small numbers there keep their precision.
    for (std::size_t i = 0; i < chunk.CornerCount(); ++i) {
        if (!std::isfinite(static_cast<float>(chunk.X(i) - x0)) ||
            !std::isfinite(static_cast<float>(chunk.Y(i) - y0))) {
            return LeftOutBuilding{.reason = "a corner lies too far from the block",
                                   .code = std::nullopt};
        }
    }
    return std::nullopt;
}

// Why the building at position cannot be read or built; nothing when it can.
std::optional<LeftOutBuilding> ReadFault(ByteSource& sheet, std::uint32_t position,
                                         BuildingChunkRead read, const BuildingChunk& chunk,
                                         const SubSheetRecord& record) {
    if (read == BuildingChunkRead::kBroken) {
        const DataFault fault = ChunkFault(sheet, position);
        return LeftOutBuilding{.reason = Describe(fault, Marked('@', position)), .code = fault};
    }
    if (read == BuildingChunkRead::kNotABuilding) {
        return LeftOutBuilding{.reason = "no building chunk at its recorded position",
                               .code = std::nullopt};
    }
    return NumberFault(chunk, record.originX, record.originY);
}

}  // namespace

FootprintSet ReadFootprints(ByteSource& sheet, const SubSheetRecord& record,
                            std::vector<LeftOutBuilding>& leftOut) {
    const double x0 = record.originX;
    const double y0 = record.originY;
    const FootprintPoint centre = BlockCentre(record);
    FootprintSet set;
    BuildingChunkReader reader(sheet);
    std::uint32_t number = 0;
    for (const std::uint32_t position : record.buildingPositions) {
        const BuildingChunkRead read = reader.Read(position);
        const BuildingChunk& chunk = reader.Current();
        // Such a building has no place of its own: the check shows it at the block's centre.
        if (auto fault = ReadFault(sheet, position, read, chunk, record)) {
            fault->number = number++;
            fault->x = centre.x;
            fault->y = centre.y;
            leftOut.push_back(std::move(*fault));
            continue;
        }
        set.buildings.push_back(
            {number++, chunk.bottom, chunk.roof, set.corners.size(), chunk.CornerCount()});
        for (std::size_t i = 0; i < chunk.CornerCount(); ++i) {
            set.corners.push_back({chunk.X(i) - x0, chunk.Y(i) - y0});
        }
    }
    return set;
}

}  // namespace vesk
