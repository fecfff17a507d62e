#include "scene/LightScene.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/GridThinning.h"

namespace vesk {

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
    if (std::size_t{columns} * terrain.grid.rows != terrain.mesh.positions.size()) {
        return {};
    }
    const ThinnedGrid kept = ThinGrid(terrain.grid, maxCells);
    const std::vector<std::uint32_t>& keptColumns = kept.columns;
    const std::vector<std::uint32_t>& keptRows = kept.rows;
    if (keptColumns.empty()) {
        return {};
    }
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

}  // namespace vesk
