#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/BlockModel.h"
#include "model/BuildingBoxes.h"
#include "scene/BuildingDrawMesh.h"
#include "scene/FlatGround.h"
#include "scene/RayPick.h"

namespace vesk {

// What of the scene is shown, as a view's toggles set it.
struct SceneLayers {
    bool buildings = true;
    bool terrain = true;
    bool texture = true;
    float exaggeration = 1.0f;  // heights are multiplied by it
};

// Where a ray met the scene, in scene coordinates (heights exaggerated).
struct ScenePick {
    Vec3 point;
    std::optional<std::size_t> part;  // the building's index among the parts, if one was hit
};

// A block made ready for showing and picking. It comes in two stages: first
// a sketch, the ground and the buildings' boxes, which needs no triangulation
// and so can be shown at once; then the complete scene with the model's own
// buildings. Both hold a light version drawn while the camera moves (boxes,
// a coarser terrain grid). The complete scene picks on the model's own
// triangles in the block's frame, so what is picked is exactly what the
// exports write; the sketch picks on the boxes. A block without terrain
// stands on a level ground over its area, which the exports do not write.
class BlockScene {
public:
    // The complete scene of a whole model.
    BlockScene(BlockModel model, const BlockArea& area);
    // The sketch: the ground of a model built without buildings, and the
    // boxes of the buildings to come.
    BlockScene(BlockModel ground, std::vector<BuildingBox> boxes, const BlockArea& area);

    bool IsComplete() const { return complete_; }
    const BlockModel& Model() const { return model_; }
    // The model's terrain, or else the level ground at the lowest building's
    // bottom; none when the area is empty.
    const TerrainModel* Ground() const;
    // The model's buildings; empty in a sketch.
    const BuildingDrawMesh& BuildingsToDraw() const { return toDraw_; }
    const BuildingDrawMesh& BoxesToDraw() const { return boxesToDraw_; }
    // The terrain's triangles drawn while the camera moves, over its vertices.
    const std::vector<std::uint32_t>& CoarseTerrain() const { return coarseTerrain_; }
    std::size_t PartCount() const { return boxes_.size(); }
    const BuildingBox& Box(std::size_t part) const { return boxes_[part]; }
    // The box of all the model holds, heights multiplied by the exaggeration.
    Extent Bounds(float exaggeration) const;
    // The nearest visible triangle the ray meets, if any; the ray is in
    // scene coordinates.
    std::optional<ScenePick> Pick(const PickRay& ray, const SceneLayers& layers) const;

private:
    void Prepare(const BlockArea& area);
    IndexRange PickRange(std::size_t part) const;
    float NearestOnParts(const PickRay& ray, std::size_t& part) const;
    float NearestOnTerrain(const PickRay& ray) const;

    BlockModel model_;
    std::optional<TerrainModel> flatGround_;
    bool complete_ = false;
    std::vector<BuildingBox> boxes_;  // one per part
    BuildingDrawMesh toDraw_;
    BuildingDrawMesh boxesToDraw_;
    std::vector<std::uint32_t> coarseTerrain_;
    std::vector<Extent> extents_;  // of what is picked of each part
    Extent all_;
};

}  // namespace vesk
