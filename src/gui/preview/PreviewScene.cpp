#include "preview/PreviewScene.h"

#include "model/BuildingNumber.h"

namespace vesk::gui {
namespace {

QVector3D ToVector(const Vec3& v) {
    return {v.x, v.y, v.z};
}

Vec3 ToVec3(const QVector3D& v) {
    return {v.x(), v.y(), v.z()};
}

}  // namespace

SceneBounds PreviewScene::Bounds(float exaggeration) const {
    const Extent bounds = scene_.Bounds(exaggeration);
    return {ToVector(bounds.low), ToVector(bounds.high)};
}

std::optional<SceneHit> PreviewScene::Pick(const SceneRay& ray, const SceneLayers& layers) const {
    const auto hit = scene_.Pick({ToVec3(ray.origin), ToVec3(ray.direction)}, layers);
    if (!hit) {
        return std::nullopt;
    }
    return SceneHit{ToVector(hit->point), hit->part};
}

QString PreviewScene::Describe(std::size_t part) const {
    const BuildingBox& box = scene_.Box(part);
    return QString::fromUtf8("建物 %1   下端 %2 m   屋上 %3 m   建築面積 %4 m²")
        .arg(ShownBuildingNumber(box.number))
        .arg(static_cast<double>(box.bottom), 0, 'f', 2)
        .arg(static_cast<double>(box.roof), 0, 'f', 2)
        .arg(box.area, 0, 'f', 1);
}

}  // namespace vesk::gui
