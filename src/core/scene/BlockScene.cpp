#include "scene/BlockScene.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "scene/LightScene.h"

namespace vesk {
namespace {

// Terrain grids are drawn over about this many cells while the camera moves.
constexpr std::size_t kCoarseTerrainCells = 4000;

void Include(Vec3& low, Vec3& high, const Vec3& p) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
}

// Rays are cast in the model's frame: undoing the exaggeration on the ray keeps
// the distance along it the same.
PickRay ToModelFrame(const PickRay& ray, float exaggeration) {
    return {{ray.origin.x, ray.origin.y, ray.origin.z / exaggeration},
            {ray.direction.x, ray.direction.y, ray.direction.z / exaggeration}};
}

Vec3 Along(const PickRay& ray, float distance) {
    return {ray.origin.x + ray.direction.x * distance, ray.origin.y + ray.direction.y * distance,
            ray.origin.z + ray.direction.z * distance};
}

}  // namespace

BlockScene::BlockScene(BlockModel model, const BlockArea& area)
    : model_(std::move(model)), complete_(true), boxes_(BoxesOf(model_)) {
    toDraw_ = MakeDrawMesh(model_);
    Prepare(area);
}

BlockScene::BlockScene(BlockModel ground, std::vector<BuildingBox> boxes, const BlockArea& area)
    : model_(std::move(ground)), boxes_(std::move(boxes)) {
    Prepare(area);
}

const TerrainModel* BlockScene::Ground() const {
    if (model_.terrain) {
        return &*model_.terrain;
    }
    return flatGround_ ? &*flatGround_ : nullptr;
}

void BlockScene::Prepare(const BlockArea& area) {
    if (!model_.terrain && area.width > 0.0f && area.height > 0.0f) {
        flatGround_ = FlatGround(area, LowestBottom(boxes_));
    }
    boxesToDraw_ = MakeBoxMesh(boxes_);
    if (const TerrainModel* ground = Ground()) {
        coarseTerrain_ = CoarseTerrainIndices(*ground, kCoarseTerrainCells);
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
    if (const TerrainModel* ground = Ground()) {
        for (const Vec3& p : ground->mesh.positions) {
            Include(all_.low, all_.high, p);
        }
    }
    if (all_.low.x > all_.high.x) {
        all_ = {};
    }
}

IndexRange BlockScene::PickRange(std::size_t part) const {
    if (!complete_) {
        return boxesToDraw_.parts[part];
    }
    const BuildingPart& p = model_.buildingParts[part];
    return {p.firstIndex, p.indexCount};
}

Extent BlockScene::Bounds(float exaggeration) const {
    return {{all_.low.x, all_.low.y, all_.low.z * exaggeration},
            {all_.high.x, all_.high.y, all_.high.z * exaggeration}};
}

float BlockScene::NearestOnParts(const PickRay& ray, std::size_t& part) const {
    const std::vector<Vec3>& positions =
        complete_ ? model_.buildings.positions : boxesToDraw_.positions;
    const std::vector<std::uint32_t>& indices =
        complete_ ? model_.buildings.indices : boxesToDraw_.indices;
    float nearest = kNoHit;
    for (std::size_t k = 0; k < extents_.size(); ++k) {
        if (!RayMeetsBox(ray, extents_[k])) {
            continue;
        }
        const float t = NearestTriangle(ray, positions, indices, PickRange(k));
        if (t < nearest) {
            nearest = t;
            part = k;
        }
    }
    return nearest;
}

float BlockScene::NearestOnTerrain(const PickRay& ray) const {
    const TerrainModel* ground = Ground();
    if (!ground) {
        return kNoHit;
    }
    const TriangleMesh& mesh = ground->mesh;
    return NearestTriangle(ray, mesh.positions, mesh.indices,
                           {0, static_cast<std::uint32_t>(mesh.indices.size())});
}

std::optional<ScenePick> BlockScene::Pick(const PickRay& ray, const SceneLayers& layers) const {
    const PickRay modelRay = ToModelFrame(ray, layers.exaggeration);
    std::size_t part = 0;
    const float onParts = layers.buildings ? NearestOnParts(modelRay, part) : kNoHit;
    const float onTerrain = layers.terrain ? NearestOnTerrain(modelRay) : kNoHit;
    if (onParts < kNoHit && onParts <= onTerrain) {
        return ScenePick{Along(ray, onParts), part};
    }
    if (onTerrain < kNoHit) {
        return ScenePick{Along(ray, onTerrain), std::nullopt};
    }
    return std::nullopt;
}

}  // namespace vesk
