#pragma once

#include <QString>
#include <QVector3D>
#include <cstddef>
#include <optional>
#include <vector>

#include "model/BlockModel.h"
#include "preview/BuildingDrawMesh.h"
#include "preview/LightScene.h"
#include "preview/PreviewCamera.h"

namespace vesk::gui {

// What of the scene is drawn, as the preview window's toggles set it.
struct SceneLayers {
    bool buildings = true;
    bool terrain = true;
    bool texture = true;
    float exaggeration = 1.0f;  // heights are multiplied by it
};

struct SceneHit {
    QVector3D point;                  // scene coordinates
    std::optional<std::size_t> part;  // the building's index among the parts, if one was hit
};

// A block made ready for showing and picking. It comes in two stages: first
// a sketch, the ground and the buildings' boxes, which needs no triangulation
// and so can be shown at once; then the complete scene with the model's own
// buildings. Both hold a light version drawn while the camera moves (boxes,
// a coarser terrain grid). The complete scene picks on the model's own
// triangles in the block's frame, so what is picked is exactly what the
// exports write; the sketch picks on the boxes.
class PreviewScene {
public:
    // The complete scene of a whole model.
    explicit PreviewScene(BlockModel model);
    // The sketch: the ground of a model built without buildings, and the
    // boxes of the buildings to come.
    PreviewScene(BlockModel ground, std::vector<BuildingBox> boxes);

    bool IsComplete() const { return complete_; }
    const BlockModel& Model() const { return model_; }
    // The model's buildings; empty in a sketch.
    const BuildingDrawMesh& BuildingsToDraw() const { return toDraw_; }
    const BuildingDrawMesh& BoxesToDraw() const { return boxesToDraw_; }
    // The terrain's triangles drawn while the camera moves, over its vertices.
    const std::vector<std::uint32_t>& CoarseTerrain() const { return coarseTerrain_; }
    std::size_t PartCount() const { return boxes_.size(); }
    // The box of all the model holds, heights multiplied by the exaggeration.
    SceneBounds Bounds(float exaggeration) const;
    // The nearest visible triangle the ray meets, if any.
    std::optional<SceneHit> Pick(const SceneRay& ray, const SceneLayers& layers) const;
    // The area of the building's footprint, in square metres.
    double FootprintArea(std::size_t part) const { return boxes_[part].area; }
    // The number, heights and footprint area of a building, as the status line shows them.
    QString Describe(std::size_t part) const;

private:
    struct Extent {
        Vec3 low;
        Vec3 high;
    };

    void Prepare();
    IndexRange PickRange(std::size_t part) const;
    std::optional<float> NearestOnParts(const SceneRay& ray, std::size_t& part) const;
    std::optional<float> NearestOnTerrain(const SceneRay& ray) const;

    BlockModel model_;
    bool complete_ = false;
    std::vector<BuildingBox> boxes_;  // one per part
    BuildingDrawMesh toDraw_;
    BuildingDrawMesh boxesToDraw_;
    std::vector<std::uint32_t> coarseTerrain_;
    std::vector<Extent> extents_;  // of what is picked of each part
    Extent all_;
};

}  // namespace vesk::gui
