#include "preview/PreviewCamera.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace vesk::gui {
namespace {

constexpr float kFieldOfView = 45.0f;
constexpr float kDefaultAzimuth = 225.0f;
constexpr float kDefaultElevation = 45.0f;
// Straight down would leave the camera without an up direction.
constexpr float kLowestElevation = -89.0f;
constexpr float kHighestElevation = 89.5f;
constexpr float kZoomFactorPerStep = 0.85f;
constexpr float kClosestShare = 0.01f;  // of the scene's radius
constexpr float kFarthestShare = 20.0f;

}  // namespace

void PreviewCamera::ShowAll(const SceneBounds& bounds, float aspect) {
    sceneRadius_ = bounds.Radius();
    target_ = bounds.Centre();
    azimuth_ = kDefaultAzimuth;
    elevation_ = kDefaultElevation;
    // The bounding sphere fits the narrower half-angle, with a little margin.
    const float halfHeight = std::tan(qDegreesToRadians(kFieldOfView / 2.0f));
    const float halfAngle = std::atan(halfHeight * std::min(aspect, 1.0f));
    distance_ = 1.1f * sceneRadius_ / std::sin(halfAngle);
}

void PreviewCamera::Orbit(float azimuthDegrees, float elevationDegrees) {
    azimuth_ = std::fmod(azimuth_ + azimuthDegrees + 360.0f, 360.0f);
    elevation_ = std::clamp(elevation_ + elevationDegrees, kLowestElevation, kHighestElevation);
}

void PreviewCamera::Pan(float dx, float dy, int viewportHeight) {
    const float metresPerPixel = 2.0f * distance_ *
                                 std::tan(qDegreesToRadians(kFieldOfView / 2.0f)) /
                                 static_cast<float>(std::max(viewportHeight, 1));
    const QVector3D forward = (target_ - Eye()).normalized();
    const QVector3D right = QVector3D::crossProduct(forward, QVector3D(0, 0, 1)).normalized();
    const QVector3D up = QVector3D::crossProduct(right, forward);
    target_ += (-dx * right + dy * up) * metresPerPixel;
}

void PreviewCamera::Zoom(float steps) {
    distance_ = std::clamp(distance_ * std::pow(kZoomFactorPerStep, steps),
                           kClosestShare * sceneRadius_, kFarthestShare * sceneRadius_);
}

QVector3D PreviewCamera::Eye() const {
    const float a = qDegreesToRadians(azimuth_);
    const float e = qDegreesToRadians(elevation_);
    return target_ +
           distance_ * QVector3D(std::cos(e) * std::cos(a), std::cos(e) * std::sin(a), std::sin(e));
}

QMatrix4x4 PreviewCamera::ViewMatrix() const {
    QMatrix4x4 view;
    view.lookAt(Eye(), target_, QVector3D(0, 0, 1));
    return view;
}

// Near and far follow the distance, so that depth keeps its precision at any zoom.
QMatrix4x4 PreviewCamera::ProjectionMatrix(QSize viewport) const {
    const float aspect = static_cast<float>(std::max(viewport.width(), 1)) /
                         static_cast<float>(std::max(viewport.height(), 1));
    const float nearPlane = std::max(distance_ * 0.01f, 0.05f);
    const float farPlane = distance_ + 4.0f * sceneRadius_;
    QMatrix4x4 projection;
    projection.perspective(kFieldOfView, aspect, nearPlane, farPlane);
    return projection;
}

SceneRay PreviewCamera::RayThrough(QPointF pixel, QSize viewport) const {
    const QMatrix4x4 inverse = (ProjectionMatrix(viewport) * ViewMatrix()).inverted();
    const float x = static_cast<float>(2.0 * pixel.x() / std::max(viewport.width(), 1) - 1.0);
    const float y = static_cast<float>(1.0 - 2.0 * pixel.y() / std::max(viewport.height(), 1));
    const QVector3D nearPoint = inverse.map(QVector3D(x, y, -1.0f));
    const QVector3D farPoint = inverse.map(QVector3D(x, y, 1.0f));
    return {nearPoint, (farPoint - nearPoint).normalized()};
}

QPointF PreviewCamera::Project(const QVector3D& point, QSize viewport) const {
    const QVector3D ndc = (ProjectionMatrix(viewport) * ViewMatrix()).map(point);
    return {(ndc.x() + 1.0) / 2.0 * viewport.width(), (1.0 - ndc.y()) / 2.0 * viewport.height()};
}

}  // namespace vesk::gui
