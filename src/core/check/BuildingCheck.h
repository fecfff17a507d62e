#pragma once

#include <cstdint>
#include <vector>

#include "check/Finding.h"
#include "check/Ground.h"
#include "model/FootprintPoint.h"
#include "model/FootprintRing.h"
#include "model/GeosContext.h"
#include "sheet/BuildingChunk.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Checks a block's buildings one at a time: numbers, footprint rings (by
// GEOS), heights, the block's bounds and the ground. One per thread: it holds
// a GEOS context of its own.
class BuildingCheck {
public:
    explicit BuildingCheck(const SubSheetRecord& record) : record_(record) {}

    // ground is the block's ground, or null when it has none to stand on.
    void Check(std::uint32_t index, const BuildingChunk& building, const Ground* ground,
               std::vector<Finding>& findings);

private:
    bool CheckNumbers(const BuildingChunk& building);
    bool CheckRing();
    void CheckHeights(const BuildingChunk& building);
    void CheckBounds();
    void CheckGround(const BuildingChunk& building, const Ground& ground);
    void Add(FindingCode code, FootprintPoint local, const std::string& detail = {});

    const SubSheetRecord& record_;
    GeosContext geos_;
    FootprintRing ring_{geos_};
    std::vector<FootprintPoint> footprint_;  // in plane coordinates
    std::vector<FootprintPoint> local_;      // the footprint in the block's frame
    FootprintPoint centroid_;                // in the block's frame
    std::uint32_t index_ = 0;
    std::vector<Finding>* findings_ = nullptr;
};

}  // namespace vesk
