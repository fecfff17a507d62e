#pragma once

#include <QMatrix4x4>
#include <QSize>
#include <QVector3D>
#include <algorithm>

namespace vesk::gui {

// A point of the scene and a direction from it, in scene coordinates.
struct SceneRay {
    QVector3D origin;
    QVector3D direction;
};

// The box that holds everything shown, in scene coordinates (x east, y north,
// z up, heights already exaggerated).
struct SceneBounds {
    QVector3D low;
    QVector3D high;

    QVector3D Centre() const { return (low + high) / 2.0f; }
    float Radius() const { return std::max((high - low).length() / 2.0f, 1.0f); }
};

// A camera that orbits a target point: azimuth and elevation of the camera as
// seen from the target, and its distance. Zoom and pan keep within bounds
// that follow the scene's size, so no input can lose the scene for good.
class PreviewCamera {
public:
    // Looking at the whole scene from the south-west, 45 degrees above the
    // ground, on a viewport of that width-to-height ratio.
    void ShowAll(const SceneBounds& bounds, float aspect);

    void Orbit(float azimuthDegrees, float elevationDegrees);
    // Moves the target by a drag of (dx, dy) pixels on a viewport of that height.
    void Pan(float dx, float dy, int viewportHeight);
    // Positive steps come closer.
    void Zoom(float steps);
    void CentreOn(const QVector3D& point) { target_ = point; }

    QVector3D Eye() const;
    QVector3D Target() const { return target_; }
    float Distance() const { return distance_; }
    QMatrix4x4 ViewMatrix() const;
    QMatrix4x4 ProjectionMatrix(QSize viewport) const;
    // The ray through a pixel of the viewport (origin at the top left).
    SceneRay RayThrough(QPointF pixel, QSize viewport) const;
    // Where a scene point lands on the viewport, in pixels from the top left.
    QPointF Project(const QVector3D& point, QSize viewport) const;

private:
    QVector3D target_;
    float azimuth_ = 225.0f;  // degrees anticlockwise from east: 225 is south-west
    float elevation_ = 45.0f;
    float distance_ = 100.0f;
    float sceneRadius_ = 50.0f;
};

}  // namespace vesk::gui
