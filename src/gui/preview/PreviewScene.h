#pragma once

#include <QString>
#include <QVector3D>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "preview/PreviewCamera.h"
#include "scene/BlockScene.h"

namespace vesk::gui {

struct SceneHit {
    QVector3D point;                  // scene coordinates
    std::optional<std::size_t> part;  // the building's index among the parts, if one was hit
};

// The block's scene as the preview shows it: the core's scene, met with the
// camera's rays and bounds and told in the status line's words.
class PreviewScene {
public:
    // The complete scene of a whole model.
    PreviewScene(BlockModel model, const BlockArea& area) : scene_(std::move(model), area) {}
    // The sketch: the ground of a model built without buildings, and the
    // boxes of the buildings to come.
    PreviewScene(BlockModel ground, std::vector<BuildingBox> boxes, const BlockArea& area)
        : scene_(std::move(ground), std::move(boxes), area) {}

    bool IsComplete() const { return scene_.IsComplete(); }
    const BlockModel& Model() const { return scene_.Model(); }
    const TerrainModel* Ground() const { return scene_.Ground(); }
    const BuildingDrawMesh& BuildingsToDraw() const { return scene_.BuildingsToDraw(); }
    const BuildingDrawMesh& BoxesToDraw() const { return scene_.BoxesToDraw(); }
    const std::vector<std::uint32_t>& CoarseTerrain() const { return scene_.CoarseTerrain(); }
    std::size_t PartCount() const { return scene_.PartCount(); }
    SceneBounds Bounds(float exaggeration) const;
    std::optional<SceneHit> Pick(const SceneRay& ray, const SceneLayers& layers) const;
    // The number, heights and footprint area of a building, as the status line shows them.
    QString Describe(std::size_t part) const;

private:
    BlockScene scene_;
};

}  // namespace vesk::gui
