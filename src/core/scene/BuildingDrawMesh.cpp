#include "scene/BuildingDrawMesh.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace vesk {
namespace {

bool IsFloor(const TriangleMesh& mesh, std::size_t first) {
    for (std::size_t k = first; k < first + 3; ++k) {
        if (mesh.normals[mesh.indices[k]].z > -0.5f) {
            return false;
        }
    }
    return true;
}

bool Before(const Vec3& a, const Vec3& b) {
    return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z);
}

bool Same(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// One building's corners, each once, appended to the drawn positions; gives
// where each of the part's model vertices went.
std::vector<std::uint32_t> AppendCorners(const TriangleMesh& mesh, const BuildingPart& part,
                                         std::vector<Vec3>& positions) {
    const std::size_t count =
        std::min<std::size_t>(part.vertexCount, mesh.positions.size() - part.firstVertex);
    std::vector<std::uint32_t> order(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        order[k] = k;
    }
    const Vec3* first = mesh.positions.data() + part.firstVertex;
    std::sort(order.begin(), order.end(),
              [first](std::uint32_t a, std::uint32_t b) { return Before(first[a], first[b]); });
    std::vector<std::uint32_t> moved(count);
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k == 0 || !Same(first[order[k]], first[order[k - 1]])) {
            positions.push_back(first[order[k]]);
        }
        moved[order[k]] = static_cast<std::uint32_t>(positions.size() - 1);
    }
    return moved;
}

}  // namespace

BuildingDrawMesh MakeDrawMesh(const BlockModel& model) {
    const TriangleMesh& mesh = model.buildings;
    BuildingDrawMesh draw;
    std::vector<std::uint32_t> floors;
    draw.highestFloor = -std::numeric_limits<float>::max();
    for (const BuildingPart& part : model.buildingParts) {
        const std::vector<std::uint32_t> moved = AppendCorners(mesh, part, draw.positions);
        const auto inPart = [&](std::uint32_t index) {
            return index >= part.firstVertex && index - part.firstVertex < moved.size();
        };
        const auto firstAbove = static_cast<std::uint32_t>(draw.indices.size());
        const auto firstFloor = static_cast<std::uint32_t>(floors.size());
        const std::size_t end =
            std::min<std::size_t>(part.firstIndex + part.indexCount, mesh.indices.size());
        for (std::size_t i = part.firstIndex; i + 3 <= end; i += 3) {
            const std::uint32_t* corners = mesh.indices.data() + i;
            if (!inPart(corners[0]) || !inPart(corners[1]) || !inPart(corners[2])) {
                continue;
            }
            std::vector<std::uint32_t>& to = IsFloor(mesh, i) ? floors : draw.indices;
            for (int k = 0; k < 3; ++k) {
                to.push_back(moved[corners[k] - part.firstVertex]);
            }
        }
        draw.parts.push_back(
            {firstAbove, static_cast<std::uint32_t>(draw.indices.size()) - firstAbove});
        draw.floors.push_back({firstFloor, static_cast<std::uint32_t>(floors.size()) - firstFloor});
        draw.highestFloor = std::max(draw.highestFloor, std::min(part.bottom, part.roof));
    }
    draw.floorIndexStart = draw.indices.size();
    for (IndexRange& range : draw.floors) {
        range.first += static_cast<std::uint32_t>(draw.floorIndexStart);
    }
    draw.indices.insert(draw.indices.end(), floors.begin(), floors.end());
    return draw;
}

}  // namespace vesk
