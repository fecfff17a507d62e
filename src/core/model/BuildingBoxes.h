#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/BlockModel.h"
#include "model/FootprintSet.h"

namespace vesk {

// A building as light scenes draw it (the preview while it builds or
// moves, a sheet seen from afar): the smallest rectangle around its
// footprint, whatever way it turns, raised between its two heights.
struct BuildingBox {
    std::uint32_t number = 0;
    float bottom = 0.0f;
    float roof = 0.0f;
    double area = 0.0;                        // of the footprint itself, in square metres
    std::array<FootprintPoint, 4> corners{};  // counter-clockwise seen from above
};

// The boxes of the footprints as read, before any is triangulated.
std::vector<BuildingBox> BoxesOf(const FootprintSet& set);
// The boxes of the model's buildings, one per part, from their vertices.
std::vector<BuildingBox> BoxesOf(const BlockModel& model);

}  // namespace vesk
