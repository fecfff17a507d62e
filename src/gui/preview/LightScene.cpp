#include "preview/LightScene.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/FootprintBox.h"

namespace vesk::gui {
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

// Every step-th of a grid's lines, and its last.
std::vector<std::uint32_t> KeptLines(std::uint32_t lineCount, std::uint32_t step) {
    std::vector<std::uint32_t> kept;
    for (std::uint32_t k = 0; k + 1 < lineCount; k += step) {
        kept.push_back(k);
    }
    kept.push_back(lineCount - 1);
    return kept;
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

BuildingDrawMesh MakeBoxMesh(std::span<const BuildingBox> boxes) {
    BuildingDrawMesh mesh;
    mesh.positions.reserve(boxes.size() * 8);
    mesh.indices.reserve(boxes.size() * 30);
    for (const BuildingBox& box : boxes) {
        const auto base = static_cast<std::uint32_t>(mesh.positions.size());
        for (float z : {std::min(box.bottom, box.roof), std::max(box.bottom, box.roof)}) {
            for (const FootprintPoint& corner : box.corners) {
                mesh.positions.push_back(
                    {static_cast<float>(corner.x), static_cast<float>(corner.y), z});
            }
        }
        const auto first = static_cast<std::uint32_t>(mesh.indices.size());
        for (std::uint32_t a = 0; a < 4; ++a) {
            const std::uint32_t b = (a + 1) % 4;
            mesh.indices.insert(mesh.indices.end(), {base + a, base + b, base + 4 + b, base + a,
                                                     base + 4 + b, base + 4 + a});
        }
        mesh.indices.insert(mesh.indices.end(),
                            {base + 4, base + 5, base + 6, base + 4, base + 6, base + 7});
        mesh.parts.push_back({first, static_cast<std::uint32_t>(mesh.indices.size()) - first});
    }
    mesh.floorIndexStart = mesh.indices.size();
    mesh.floors.assign(boxes.size(), {static_cast<std::uint32_t>(mesh.floorIndexStart), 0});
    mesh.highestFloor = -std::numeric_limits<float>::max();
    return mesh;
}

std::vector<std::uint32_t> CoarseTerrainIndices(const TerrainModel& terrain, std::size_t maxCells) {
    const std::uint32_t columns = terrain.grid.columns;
    const std::uint32_t rows = terrain.grid.rows;
    if (columns < 2 || rows < 2 || std::size_t{columns} * rows != terrain.mesh.positions.size()) {
        return {};
    }
    const double cells = double(columns - 1) * double(rows - 1);
    const auto step = static_cast<std::uint32_t>(std::max(
        1.0,
        std::ceil(std::sqrt(cells / static_cast<double>(std::max<std::size_t>(maxCells, 1))))));
    const std::vector<std::uint32_t> keptColumns = KeptLines(columns, step);
    const std::vector<std::uint32_t> keptRows = KeptLines(rows, step);
    std::vector<std::uint32_t> indices;
    indices.reserve((keptColumns.size() - 1) * (keptRows.size() - 1) * 6);
    for (std::size_t i = 0; i + 1 < keptRows.size(); ++i) {
        for (std::size_t j = 0; j + 1 < keptColumns.size(); ++j) {
            const std::uint32_t sw = keptRows[i] * columns + keptColumns[j];
            const std::uint32_t se = keptRows[i] * columns + keptColumns[j + 1];
            const std::uint32_t nw = keptRows[i + 1] * columns + keptColumns[j];
            const std::uint32_t ne = keptRows[i + 1] * columns + keptColumns[j + 1];
            indices.insert(indices.end(), {sw, se, ne, sw, ne, nw});
        }
    }
    return indices;
}

}  // namespace vesk::gui
