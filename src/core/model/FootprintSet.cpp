#include "model/FootprintSet.h"

#include <cmath>
#include <string>

namespace vesk {
namespace {

// Why a building read whole still cannot be built; empty when it can.
std::string NumberFault(const BuildingChunk& chunk, double x0, double y0) {
    if (!std::isfinite(chunk.bottom) || !std::isfinite(chunk.roof)) {
        return "a height is not a finite number";
    }
    for (const FootprintPoint& p : chunk.footprint) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            return "a corner is not a finite number";
        }
        // Floats hold the block's frame: small numbers there keep their precision.
        if (!std::isfinite(static_cast<float>(p.x - x0)) ||
            !std::isfinite(static_cast<float>(p.y - y0))) {
            return "a corner lies too far from the block";
        }
    }
    return {};
}

}  // namespace

FootprintSet ReadFootprints(ByteSource& sheet, const SubSheetRecord& record,
                            std::vector<LeftOutBuilding>& leftOut) {
    const double x0 = record.originX;
    const double y0 = record.originY;
    FootprintSet set;
    BuildingChunkReader reader(sheet);
    std::uint32_t number = 0;
    for (const std::uint32_t position : record.buildingPositions) {
        const BuildingChunkRead read = reader.Read(position);
        const BuildingChunk& chunk = reader.Current();
        std::string fault = read == BuildingChunkRead::kBroken
                                ? "its chunk is truncated or inconsistent"
                            : read == BuildingChunkRead::kNotABuilding
                                ? "no building chunk at its recorded position"
                                : NumberFault(chunk, x0, y0);
        if (!fault.empty()) {
            leftOut.push_back({number++, std::move(fault)});
            continue;
        }
        set.buildings.push_back(
            {number++, chunk.bottom, chunk.roof, set.corners.size(), chunk.footprint.size()});
        for (const FootprintPoint& p : chunk.footprint) {
            set.corners.push_back({p.x - x0, p.y - y0});
        }
    }
    return set;
}

}  // namespace vesk
