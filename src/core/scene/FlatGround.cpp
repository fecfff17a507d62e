#include "scene/FlatGround.h"

#include <algorithm>

namespace vesk {

// Laid out as the terrain's grids are, south row first, so that the views
// draw, thin and pick it as one of them.
TerrainModel FlatGround(const BlockArea& area, float height) {
    TerrainModel ground;
    ground.grid = {.columns = 2, .rows = 2, .dx = area.width, .dy = area.height};
    TriangleMesh& mesh = ground.mesh;
    for (float v : {0.0f, 1.0f}) {
        for (float u : {0.0f, 1.0f}) {
            mesh.positions.push_back({u * area.width, v * area.height, height});
            mesh.normals.push_back({0.0f, 0.0f, 1.0f});
            mesh.uvs.push_back({u, v});
        }
    }
    mesh.indices = {0, 1, 3, 0, 3, 2};
    return ground;
}

float LowestBottom(std::span<const BuildingBox> boxes) {
    if (boxes.empty()) {
        return 0.0f;
    }
    float lowest = std::min(boxes.front().bottom, boxes.front().roof);
    for (const BuildingBox& box : boxes) {
        lowest = std::min({lowest, box.bottom, box.roof});
    }
    return lowest;
}

}  // namespace vesk
