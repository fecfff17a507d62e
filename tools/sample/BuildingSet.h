#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Geometry.h"

namespace vesk::sample {

// One building as a STRC chunk holds it; its footprint is count points of the
// set's point list from first.
struct Building {
    float bottom = 0.0f;
    float roof = 0.0f;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

// The buildings of one sub-sheet, with all footprints in one list so that tens
// of thousands of buildings cost two allocations.
struct BuildingSet {
    std::vector<Building> buildings;
    std::vector<PlanePoint> points;

    std::span<const PlanePoint> Footprint(const Building& building) const {
        return std::span<const PlanePoint>(points).subspan(building.first, building.count);
    }
};

}  // namespace vesk::sample
