#include "model/BuildingBoxes.h"

#include <algorithm>
#include <cmath>

#include "model/FootprintBox.h"

namespace vesk {
namespace {

// Upward-facing triangles of a closed prism are its roof, whose plan is the footprint.
double RoofArea(const TriangleMesh& mesh, const BuildingPart& part) {
    double area = 0.0;
    const std::size_t end =
        std::min<std::size_t>(part.firstIndex + part.indexCount, mesh.indices.size());
    for (std::size_t i = part.firstIndex; i + 3 <= end; i += 3) {
        const Vec3& a = mesh.positions[mesh.indices[i]];
        const Vec3& b = mesh.positions[mesh.indices[i + 1]];
        const Vec3& c = mesh.positions[mesh.indices[i + 2]];
        const double twice =
            (double(b.x) - a.x) * (double(c.y) - a.y) - (double(c.x) - a.x) * (double(b.y) - a.y);
        const double up = (mesh.normals[mesh.indices[i]].z + mesh.normals[mesh.indices[i + 1]].z +
                           mesh.normals[mesh.indices[i + 2]].z) /
                          3.0;
        if (up > 0.5) {
            area += std::abs(twice) / 2.0;
        }
    }
    return area;
}

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
        boxes.push_back({part.number, part.bottom, part.roof, RoofArea(model.buildings, part),
                         SmallestRectangle(geos, PlanOf(model.buildings, part))});
    }
    return boxes;
}

}  // namespace vesk
