#include "preview/PreviewScene.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace vesk::gui {
namespace {

constexpr float kNoHit = std::numeric_limits<float>::infinity();
// Terrain grids are drawn over about this many cells while the camera moves.
constexpr std::size_t kCoarseTerrainCells = 4000;

QVector3D ToVector(const Vec3& v) {
    return {v.x, v.y, v.z};
}

void Include(Vec3& low, Vec3& high, const Vec3& p) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
}

// The distance along the ray to the triangle, or infinity (Moller and Trumbore).
float RayTriangle(const SceneRay& ray, const QVector3D& a, const QVector3D& b, const QVector3D& c) {
    const QVector3D ab = b - a;
    const QVector3D ac = c - a;
    const QVector3D p = QVector3D::crossProduct(ray.direction, ac);
    const float det = QVector3D::dotProduct(ab, p);
    if (std::abs(det) < 1e-12f) {
        return kNoHit;
    }
    const QVector3D s = ray.origin - a;
    const float u = QVector3D::dotProduct(s, p) / det;
    if (u < 0.0f || u > 1.0f) {
        return kNoHit;
    }
    const QVector3D q = QVector3D::crossProduct(s, ab);
    const float v = QVector3D::dotProduct(ray.direction, q) / det;
    if (v < 0.0f || u + v > 1.0f) {
        return kNoHit;
    }
    const float t = QVector3D::dotProduct(ac, q) / det;
    return t > 0.0f ? t : kNoHit;
}

// Whether the ray passes through the box (slab test).
bool RayMeetsBox(const SceneRay& ray, const Vec3& low, const Vec3& high) {
    float enter = 0.0f;
    float leave = kNoHit;
    const float lows[] = {low.x, low.y, low.z};
    const float highs[] = {high.x, high.y, high.z};
    for (int axis = 0; axis < 3; ++axis) {
        const float o = ray.origin[axis];
        const float d = ray.direction[axis];
        if (std::abs(d) < 1e-12f) {
            if (o < lows[axis] || o > highs[axis]) {
                return false;
            }
            continue;
        }
        const float t1 = (lows[axis] - o) / d;
        const float t2 = (highs[axis] - o) / d;
        enter = std::max(enter, std::min(t1, t2));
        leave = std::min(leave, std::max(t1, t2));
    }
    return enter <= leave;
}

float NearestInRange(const SceneRay& ray, const std::vector<Vec3>& positions,
                     const std::vector<std::uint32_t>& indices, IndexRange range) {
    float nearest = kNoHit;
    const std::size_t end =
        std::min<std::size_t>(std::size_t{range.first} + range.count, indices.size());
    for (std::size_t i = range.first; i + 3 <= end; i += 3) {
        const auto vertex = [&](std::size_t k) { return ToVector(positions[indices[k]]); };
        nearest = std::min(nearest, RayTriangle(ray, vertex(i), vertex(i + 1), vertex(i + 2)));
    }
    return nearest;
}

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

// Rays are cast in the model's frame: undoing the exaggeration on the ray keeps
// the distance along it the same.
SceneRay ToModelFrame(const SceneRay& ray, float exaggeration) {
    return {{ray.origin.x(), ray.origin.y(), ray.origin.z() / exaggeration},
            {ray.direction.x(), ray.direction.y(), ray.direction.z() / exaggeration}};
}

}  // namespace

PreviewScene::PreviewScene(BlockModel model)
    : model_(std::move(model)), complete_(true), boxes_(BoxesOf(model_)) {
    toDraw_ = MakeDrawMesh(model_);
    Prepare();
}

PreviewScene::PreviewScene(BlockModel ground, std::vector<BuildingBox> boxes)
    : model_(std::move(ground)), boxes_(std::move(boxes)) {
    Prepare();
}

void PreviewScene::Prepare() {
    boxesToDraw_ = MakeBoxMesh(boxes_);
    if (model_.terrain) {
        coarseTerrain_ = CoarseTerrainIndices(*model_.terrain, kCoarseTerrainCells);
    }
    constexpr float kBig = std::numeric_limits<float>::max();
    all_ = {{kBig, kBig, kBig}, {-kBig, -kBig, -kBig}};
    const std::vector<Vec3>& positions =
        complete_ ? model_.buildings.positions : boxesToDraw_.positions;
    const std::vector<std::uint32_t>& indices =
        complete_ ? model_.buildings.indices : boxesToDraw_.indices;
    for (std::size_t part = 0; part < boxes_.size(); ++part) {
        Extent extent{{kBig, kBig, kBig}, {-kBig, -kBig, -kBig}};
        const IndexRange range = PickRange(part);
        const std::size_t end =
            std::min<std::size_t>(std::size_t{range.first} + range.count, indices.size());
        for (std::size_t i = range.first; i < end; ++i) {
            Include(extent.low, extent.high, positions[indices[i]]);
        }
        extents_.push_back(extent);
        Include(all_.low, all_.high, extent.low);
        Include(all_.low, all_.high, extent.high);
    }
    if (model_.terrain) {
        for (const Vec3& p : model_.terrain->mesh.positions) {
            Include(all_.low, all_.high, p);
        }
    }
    if (all_.low.x > all_.high.x) {
        all_ = {};
    }
}

IndexRange PreviewScene::PickRange(std::size_t part) const {
    if (!complete_) {
        return boxesToDraw_.parts[part];
    }
    const BuildingPart& p = model_.buildingParts[part];
    return {p.firstIndex, p.indexCount};
}

SceneBounds PreviewScene::Bounds(float exaggeration) const {
    return {{all_.low.x, all_.low.y, all_.low.z * exaggeration},
            {all_.high.x, all_.high.y, all_.high.z * exaggeration}};
}

std::optional<float> PreviewScene::NearestOnParts(const SceneRay& ray, std::size_t& part) const {
    const std::vector<Vec3>& positions =
        complete_ ? model_.buildings.positions : boxesToDraw_.positions;
    const std::vector<std::uint32_t>& indices =
        complete_ ? model_.buildings.indices : boxesToDraw_.indices;
    float nearest = kNoHit;
    for (std::size_t k = 0; k < extents_.size(); ++k) {
        if (!RayMeetsBox(ray, extents_[k].low, extents_[k].high)) {
            continue;
        }
        const float t = NearestInRange(ray, positions, indices, PickRange(k));
        if (t < nearest) {
            nearest = t;
            part = k;
        }
    }
    return nearest < kNoHit ? std::optional<float>(nearest) : std::nullopt;
}

std::optional<float> PreviewScene::NearestOnTerrain(const SceneRay& ray) const {
    if (!model_.terrain) {
        return std::nullopt;
    }
    const TriangleMesh& mesh = model_.terrain->mesh;
    const float t = NearestInRange(ray, mesh.positions, mesh.indices,
                                   {0, static_cast<std::uint32_t>(mesh.indices.size())});
    return t < kNoHit ? std::optional<float>(t) : std::nullopt;
}

std::optional<SceneHit> PreviewScene::Pick(const SceneRay& ray, const SceneLayers& layers) const {
    const SceneRay modelRay = ToModelFrame(ray, layers.exaggeration);
    std::size_t part = 0;
    const auto onParts = layers.buildings ? NearestOnParts(modelRay, part) : std::nullopt;
    const auto onTerrain = layers.terrain ? NearestOnTerrain(modelRay) : std::nullopt;
    if (onParts && (!onTerrain || *onParts <= *onTerrain)) {
        return SceneHit{ray.origin + *onParts * ray.direction, part};
    }
    if (onTerrain) {
        return SceneHit{ray.origin + *onTerrain * ray.direction, std::nullopt};
    }
    return std::nullopt;
}

QString PreviewScene::Describe(std::size_t part) const {
    const BuildingBox& box = boxes_[part];
    return QString::fromUtf8("建物 %1   下端 %2 m   屋上 %3 m   建築面積 %4 m²")
        .arg(box.number)
        .arg(static_cast<double>(box.bottom), 0, 'f', 2)
        .arg(static_cast<double>(box.roof), 0, 'f', 2)
        .arg(box.area, 0, 'f', 1);
}

}  // namespace vesk::gui
