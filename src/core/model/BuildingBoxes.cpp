#include "model/BuildingBoxes.h"

#include <algorithm>
#include <cmath>

#include "model/FootprintBox.h"

namespace vesk {
namespace {

std::vector<FootprintPoint> PlanOf(const TriangleMesh& mesh, const BuildingPart& part) {
    const std::size_t end =
        std::min<std::size_t>(part.firstVertex + part.vertexCount, mesh.positions.size());
    std::vector<FootprintPoint> plan;
    for (std::size_t v = part.firstVertex; v < end; ++v) {
        plan.push_back({mesh.positions[v].x, mesh.positions[v].y});
    }
    return plan;
}

}  // namespace

std::vector<BuildingBox> BoxesOf(const FootprintSet& set) {
    const GeosContext geos;
    std::vector<BuildingBox> boxes;
    boxes.reserve(set.buildings.size());
    for (const FootprintSet::Building& building : set.buildings) {
        const auto corners = set.Corners(building);
        boxes.push_back({building.number, building.bottom, building.roof,
                         std::abs(SignedFootprintArea(corners)), SmallestRectangle(geos, corners)});
    }
    return boxes;
}

std::vector<BuildingBox> BoxesOf(const BlockModel& model) {
    const GeosContext geos;
    std::vector<BuildingBox> boxes;
    boxes.reserve(model.buildingParts.size());
    for (const BuildingPart& part : model.buildingParts) {
        boxes.push_back({part.number, part.bottom, part.roof, part.area,
                         SmallestRectangle(geos, PlanOf(model.buildings, part))});
    }
    return boxes;
}

}  // namespace vesk
