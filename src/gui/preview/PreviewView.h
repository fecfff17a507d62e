#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QOpenGLBuffer>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QOpenGLWindow>
#include <QTimer>
#include <memory>
#include <optional>

#include "preview/MovingResolution.h"
#include "preview/PreviewCamera.h"
#include "preview/PreviewScene.h"
#include "scene/SceneLight.h"

namespace vesk::gui {

// The colours the preview draws with, and the light it shades them with: a
// roof and level ground show their colours themselves, walls and slopes a
// share of them that follows the way they face.
inline const QColor kBuildingColour(224, 216, 200);
inline const QColor kGroundColour(150, 165, 120);
inline const QColor kSkyColour(196, 214, 232);
inline const QColor kHighlightColour(235, 120, 40);  // the picked building
inline const SceneLight kPreviewLight;

// Draws a preview scene with OpenGL and turns mouse and keys into camera moves
// and picks. The scene's buffers are made once, when the scene is set; camera
// moves and the layer toggles only change what is drawn from them. While the
// camera moves the scene's light version is drawn, so that software OpenGL
// keeps up; once the camera has rested a moment, the full one.
//
// It is a window of its own, put in the preview window by a container: on
// software OpenGL a widget's frames pass through an extra frame buffer that is
// then composed into the window, which costs half as much as a light frame.
class PreviewView : public QOpenGLWindow, protected QOpenGLFunctions {
    Q_OBJECT

public:
    PreviewView();
    ~PreviewView() override;

    // A new scene: its buffers are made before the next frame and the camera shows all of it.
    void SetScene(std::shared_ptr<const PreviewScene> scene);
    // The same block's complete scene in place of its sketch, the camera kept where it is.
    void CompleteScene(std::shared_ptr<const PreviewScene> scene);
    const PreviewScene* Scene() const { return scene_.get(); }
    void SetLayers(const SceneLayers& layers);
    const SceneLayers& Layers() const { return layers_; }
    PreviewCamera& Camera() { return camera_; }
    // Frames are drawn light from now until the camera has rested a moment.
    void NoteCameraMoving();
    bool LastFrameWasLight() const { return lastFrameLight_; }
    // The view's pixels are divided by this along each side while the camera moves.
    int MovingPixelDivisor() const { return resolution_.Divisor(); }
    // The building drawn in the highlight colour, by its index among the scene's parts.
    void SetHighlighted(std::optional<std::size_t> part);
    std::optional<std::size_t> Highlighted() const { return highlighted_; }
    void ShowAll();
    // What lies under a pixel of the widget, as drawn now.
    std::optional<SceneHit> PickAt(QPointF pixel) const;
    // Draws a frame of what is set now and reads its pixels back (it is not shown).
    QImage GrabFrame();
    // Whether the current scene (a sketch or complete) has been drawn at least once.
    bool HasDrawnScene() const { return drawnScene_; }

signals:
    // A click picked a building (its index among the scene's parts) or nothing.
    void Picked(std::optional<std::size_t> part);
    void SceneDrawn();

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct MeshBuffers {
        QOpenGLBuffer positions{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer normals{QOpenGLBuffer::VertexBuffer};  // none for buildings
        QOpenGLBuffer uvs{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer indices{QOpenGLBuffer::IndexBuffer};
        int indexCount = 0;
    };

    void DrawFrame(bool light);
    void StretchToView(QOpenGLFramebufferObject& from, QSize full);
    void UploadScene();
    void ReleaseBuffers();
    void UploadBuildings(MeshBuffers& buffers, const BuildingDrawMesh& mesh);
    void UploadTerrain(const TerrainModel* ground, const std::optional<RgbaImage>& texture);
    void DrawBuildings(const QMatrix4x4& viewProjection, bool boxes);
    void DrawTerrain(const QMatrix4x4& viewProjection, bool coarse);
    void SetCommonUniforms(QOpenGLShaderProgram& program, const QMatrix4x4& viewProjection);
    // Draws a range of the indices over the mesh's vertices.
    void DrawMesh(QOpenGLShaderProgram& program, MeshBuffers& mesh, QOpenGLBuffer& indices,
                  bool withUvs, IndexRange range);

    std::shared_ptr<const PreviewScene> scene_;
    bool uploadPending_ = false;
    bool drawnScene_ = false;
    SceneLayers layers_;
    PreviewCamera camera_;
    QOpenGLShaderProgram buildingProgram_;
    QOpenGLShaderProgram terrainProgram_;
    MeshBuffers buildings_;
    MeshBuffers boxes_;
    MeshBuffers terrain_;
    QOpenGLBuffer coarseTerrain_{QOpenGLBuffer::IndexBuffer};
    int coarseTerrainCount_ = 0;
    std::optional<std::size_t> highlighted_;
    bool moving_ = false;
    bool lastFrameLight_ = false;
    QTimer rest_;
    std::unique_ptr<QOpenGLFramebufferObject> reducedTarget_;
    MovingResolution resolution_;
    QElapsedTimer movingFrameClock_;
    bool timingMovingFrame_ = false;
    std::unique_ptr<QOpenGLTexture> texture_;
    QPointF pressPoint_;
    QPointF lastPoint_;
    bool dragged_ = false;
};

}  // namespace vesk::gui
