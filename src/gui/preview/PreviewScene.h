#pragma once

#include <QString>
#include <QVector3D>
#include <cstddef>
#include <optional>
#include <vector>

#include "model/BlockModel.h"
#include "preview/PreviewCamera.h"

namespace vesk::gui {

// What of the scene is drawn, as the preview window's toggles set it.
struct SceneLayers {
    bool buildings = true;
    bool terrain = true;
    bool texture = true;
    float exaggeration = 1.0f;  // heights are multiplied by it
};

// The buildings as drawn: the model's triangles over one vertex per corner of
// each building (the model repeats corners for the walls' and caps' normals;
// the drawing takes a triangle's normal from its own plane), the floors last,
// since only a camera below a floor can see it.
struct BuildingDrawMesh {
    std::vector<Vec3> positions;
    std::vector<std::uint32_t> indices;
    std::size_t floorIndexStart = 0;
    float highestFloor = 0.0f;
};

struct SceneHit {
    QVector3D point;                  // scene coordinates
    std::optional<std::size_t> part;  // the building's index among the parts, if one was hit
};

// A block model made ready for showing and picking: the model itself, the
// buildings' boxes and footprint areas. Picking casts the ray against the
// model's own triangles in the block's frame, so what is picked is exactly
// what the exports write, whatever the graphics do.
class PreviewScene {
public:
    explicit PreviewScene(BlockModel model);

    const BlockModel& Model() const { return model_; }
    const BuildingDrawMesh& BuildingsToDraw() const { return toDraw_; }
    // The box of all the model holds, heights multiplied by the exaggeration.
    SceneBounds Bounds(float exaggeration) const;
    // The nearest visible triangle the ray meets, if any.
    std::optional<SceneHit> Pick(const SceneRay& ray, const SceneLayers& layers) const;
    // The area of the building's roof seen from above, in square metres.
    double FootprintArea(std::size_t part) const { return areas_[part]; }
    // The number, heights and footprint area of a building, as the status line shows them.
    QString Describe(std::size_t part) const;

private:
    struct Box {
        Vec3 low;
        Vec3 high;
    };

    std::optional<float> NearestOnParts(const SceneRay& ray, std::size_t& part) const;
    std::optional<float> NearestOnTerrain(const SceneRay& ray) const;

    BlockModel model_;
    BuildingDrawMesh toDraw_;
    std::vector<Box> boxes_;
    std::vector<double> areas_;
    Box all_;
};

}  // namespace vesk::gui
