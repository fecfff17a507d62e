#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/BlockModel.h"
#include "model/FootprintPoint.h"
#include "sheet/BuildingChunk.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// The footprints of a block's buildings, read first so that they can be
// triangulated side by side; corners in the block's frame, in one array.
struct FootprintSet {
    struct Building {
        std::uint32_t number = 0;
        float bottom = 0.0f;
        float roof = 0.0f;
        std::size_t firstCorner = 0;
        std::size_t cornerCount = 0;
    };

    std::vector<FootprintPoint> corners;
    std::vector<Building> buildings;

    std::span<const FootprintPoint> Corners(const Building& building) const {
        return std::span(corners).subspan(building.firstCorner, building.cornerCount);
    }
};

// Reads every building chunk of the record, each bounded by its own bytes.
// Chunks that cannot be read, and buildings whose heights or corners are no
// finite numbers in the block's frame, go to leftOut instead, placed at the
// block's centre.
FootprintSet ReadFootprints(ByteSource& sheet, const SubSheetRecord& record,
                            std::vector<LeftOutBuilding>& leftOut);

}  // namespace vesk
