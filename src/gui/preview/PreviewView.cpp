#include "preview/PreviewView.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLExtraFunctions>
#include <QSurfaceFormat>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vesk::gui {
namespace {

constexpr float kDegreesPerPixel = 0.4f;
constexpr float kDegreesPerKey = 5.0f;
constexpr double kClickSlopPixels = 3.0;
// How long the camera must rest before the full scene is drawn: longer than
// the gaps between a drag's or a held key's events, short enough to go unnoticed.
constexpr int kRestMs = 180;

// Heights are exaggerated in the shader, so the buffers stay as the model gives them.
const char* const kBuildingVertexShader = R"(
attribute vec3 position;
uniform mat4 viewProjection;
uniform float exaggeration;
varying vec3 scenePosition;
void main() {
    scenePosition = vec3(position.xy, position.z * exaggeration);
    gl_Position = viewProjection * vec4(scenePosition, 1.0);
}
)";

// The light's share of a surface's colour, as SceneLight::Share gives it.
const char* const kLightFunction = R"(
uniform vec3 towardSun;
uniform float ambient;
float lightShare(vec3 normal) {
    return min(ambient + (1.0 - ambient) * max(dot(normal, towardSun), 0.0) / towardSun.z, 1.0);
}
)";

// Each triangle is lit by the normal of its own plane, so that walls and
// roofs are flat and their corners show; that normal faces the camera, as
// every triangle left after culling does, so corners need no normals of their own.
const char* const kBuildingFragmentShader = R"(
uniform vec3 colour;
varying vec3 scenePosition;
void main() {
    vec3 normal = normalize(cross(dFdx(scenePosition), dFdy(scenePosition)));
    gl_FragColor = vec4(colour * lightShare(normal), 1.0);
}
)";

// Heights stretched by the exaggeration steepen the slopes as much.
const char* const kTerrainVertexShader = R"(
attribute vec3 position;
attribute vec3 normal;
attribute vec2 uv;
uniform mat4 viewProjection;
uniform float exaggeration;
varying vec2 textureUv;
varying vec3 surfaceNormal;
void main() {
    textureUv = uv;
    surfaceNormal = vec3(normal.xy * exaggeration, normal.z);
    gl_Position = viewProjection * vec4(position.xy, position.z * exaggeration, 1.0);
}
)";

// The terrain is lit by the grid's normals, smoothly across its cells. The
// texture's rows run from the north down, while v grows northward.
const char* const kTerrainFragmentShader = R"(
uniform sampler2D ortho;
uniform bool textured;
uniform vec3 ground;
varying vec2 textureUv;
varying vec3 surfaceNormal;
void main() {
    vec3 colour = ground;
    if (textured) {
        colour = texture2D(ortho, vec2(textureUv.x, 1.0 - textureUv.y)).rgb;
    }
    gl_FragColor = vec4(colour * lightShare(normalize(surfaceNormal)), 1.0);
}
)";

QVector3D ToRgb(const QColor& colour) {
    return {static_cast<float>(colour.redF()), static_cast<float>(colour.greenF()),
            static_cast<float>(colour.blueF())};
}

template <typename T>
void Fill(QOpenGLBuffer& buffer, const std::vector<T>& data) {
    buffer.create();
    buffer.bind();
    buffer.allocate(data.data(), static_cast<int>(data.size() * sizeof(T)));
    buffer.release();
}

bool Build(QOpenGLShaderProgram& program, const char* vertex, const char* fragment) {
    return program.addShaderFromSourceCode(QOpenGLShader::Vertex, vertex) &&
           program.addShaderFromSourceCode(QOpenGLShader::Fragment,
                                           QByteArray(kLightFunction) + fragment) &&
           program.link();
}

}  // namespace

PreviewView::PreviewView() : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate) {
    // A window's surface has no depth buffer unless asked for.
    QSurfaceFormat surface = format();
    surface.setDepthBufferSize(24);
    setFormat(surface);
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMs);
    connect(this, &QOpenGLWindow::frameSwapped, this, [this] {
        if (timingMovingFrame_) {
            resolution_.FrameTook(static_cast<double>(movingFrameClock_.nsecsElapsed()) / 1e6);
            timingMovingFrame_ = false;
        }
    });
    connect(&rest_, &QTimer::timeout, this, [this] {
        moving_ = false;
        update();
    });
}

PreviewView::~PreviewView() {
    makeCurrent();
    ReleaseBuffers();
    reducedTarget_.reset();
    doneCurrent();
}

void PreviewView::SetScene(std::shared_ptr<const PreviewScene> scene) {
    CompleteScene(std::move(scene));
    ShowAll();
}

// Buildings may have been left out of the complete scene, so a sketch's part
// index need not name the same building there: the highlight goes.
void PreviewView::CompleteScene(std::shared_ptr<const PreviewScene> scene) {
    scene_ = std::move(scene);
    uploadPending_ = true;
    drawnScene_ = false;
    highlighted_.reset();
    update();
}

void PreviewView::NoteCameraMoving() {
    moving_ = true;
    rest_.start();
    update();
}

void PreviewView::SetHighlighted(std::optional<std::size_t> part) {
    highlighted_ = part;
    update();
}

void PreviewView::SetLayers(const SceneLayers& layers) {
    layers_ = layers;
    update();
}

void PreviewView::ShowAll() {
    if (scene_) {
        camera_.ShowAll(scene_->Bounds(layers_.exaggeration),
                        static_cast<float>(width()) / static_cast<float>(std::max(height(), 1)));
    }
    update();
}

QImage PreviewView::GrabFrame() {
    if (!isValid()) {
        return {};
    }
    makeCurrent();
    paintGL();
    return grabFramebuffer();
}

std::optional<SceneHit> PreviewView::PickAt(QPointF pixel) const {
    if (!scene_) {
        return std::nullopt;
    }
    return scene_->Pick(camera_.RayThrough(pixel, size()), layers_);
}

void PreviewView::initializeGL() {
    initializeOpenGLFunctions();
    // A program that does not link draws nothing; the log tells why.
    if (!Build(buildingProgram_, kBuildingVertexShader, kBuildingFragmentShader) ||
        !Build(terrainProgram_, kTerrainVertexShader, kTerrainFragmentShader)) {
        qWarning("preview shaders: %s %s", qPrintable(buildingProgram_.log()),
                 qPrintable(terrainProgram_.log()));
    }
    uploadPending_ = true;
}

void PreviewView::ReleaseBuffers() {
    for (MeshBuffers* mesh : {&buildings_, &boxes_, &terrain_}) {
        mesh->positions.destroy();
        mesh->normals.destroy();
        mesh->uvs.destroy();
        mesh->indices.destroy();
        mesh->indexCount = 0;
    }
    coarseTerrain_.destroy();
    coarseTerrainCount_ = 0;
    texture_.reset();
}

void PreviewView::UploadScene() {
    ReleaseBuffers();
    uploadPending_ = false;
    if (!scene_) {
        return;
    }
    UploadBuildings(buildings_, scene_->BuildingsToDraw());
    UploadBuildings(boxes_, scene_->BoxesToDraw());
    UploadTerrain(scene_->Ground(), scene_->Model().texture);
}

void PreviewView::UploadBuildings(MeshBuffers& buffers, const BuildingDrawMesh& mesh) {
    if (mesh.indices.empty()) {
        return;
    }
    Fill(buffers.positions, mesh.positions);
    Fill(buffers.indices, mesh.indices);
    buffers.indexCount = static_cast<int>(mesh.indices.size());
}

void PreviewView::UploadTerrain(const TerrainModel* ground,
                                const std::optional<RgbaImage>& texture) {
    if (ground) {
        const TriangleMesh& mesh = ground->mesh;
        Fill(terrain_.positions, mesh.positions);
        Fill(terrain_.normals, mesh.normals);
        if (mesh.uvs.size() == mesh.positions.size()) {
            Fill(terrain_.uvs, mesh.uvs);
        }
        Fill(terrain_.indices, mesh.indices);
        terrain_.indexCount = static_cast<int>(mesh.indices.size());
        // A grid too small to thin is drawn whole while moving too.
        const std::vector<std::uint32_t>& coarse =
            scene_->CoarseTerrain().empty() ? mesh.indices : scene_->CoarseTerrain();
        Fill(coarseTerrain_, coarse);
        coarseTerrainCount_ = static_cast<int>(coarse.size());
    }
    if (texture && texture->width > 0 && texture->height > 0) {
        const RgbaImage& image = *texture;
        const QImage rgba(image.pixels.data(), static_cast<int>(image.width),
                          static_cast<int>(image.height), static_cast<int>(image.width) * 4,
                          QImage::Format_RGBA8888);
        texture_ = std::make_unique<QOpenGLTexture>(rgba, QOpenGLTexture::DontGenerateMipMaps);
        texture_->setMinMagFilters(QOpenGLTexture::Linear, QOpenGLTexture::Linear);
        texture_->setWrapMode(QOpenGLTexture::ClampToEdge);
    }
}

// Software OpenGL's work on a frame grows with its size, so a moving camera's
// frames are drawn smaller and stretched to the view (by the nearest pixel,
// which costs less than smoothing); a sketch has only its light version to
// draw, at rest too.
void PreviewView::paintGL() {
    if (uploadPending_) {
        UploadScene();
    }
    const bool light = moving_ || (scene_ && !scene_->IsComplete());
    lastFrameLight_ = scene_ && light;
    const QSize full = size() * devicePixelRatio();
    const QSize reduced = full / resolution_.Divisor();
    timingMovingFrame_ = false;
    glViewport(0, 0, full.width(), full.height());
    if (scene_ && moving_ && reduced.width() > 0 && reduced.height() > 0) {
        if (!reducedTarget_ || reducedTarget_->size() != reduced) {
            reducedTarget_ = std::make_unique<QOpenGLFramebufferObject>(
                reduced, QOpenGLFramebufferObject::Depth);
        }
        movingFrameClock_.start();
        timingMovingFrame_ = true;
        reducedTarget_->bind();
        glViewport(0, 0, reduced.width(), reduced.height());
        DrawFrame(light);
        StretchToView(*reducedTarget_, full);
        glViewport(0, 0, full.width(), full.height());
    } else {
        DrawFrame(light);
    }
    if (scene_ && !drawnScene_) {
        drawnScene_ = true;
        emit SceneDrawn();
    }
}

void PreviewView::DrawFrame(bool light) {
    const QVector3D sky = ToRgb(kSkyColour);
    glClearColor(sky.x(), sky.y(), sky.z(), 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!scene_) {
        return;
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    const QMatrix4x4 viewProjection = camera_.ProjectionMatrix(size()) * camera_.ViewMatrix();
    if (layers_.buildings) {
        DrawBuildings(viewProjection, light);
    }
    if (layers_.terrain) {
        DrawTerrain(viewProjection, light);
    }
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
}

void PreviewView::StretchToView(QOpenGLFramebufferObject& from, QSize full) {
    QOpenGLExtraFunctions* functions = context()->extraFunctions();
    functions->glBindFramebuffer(GL_READ_FRAMEBUFFER, from.handle());
    functions->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, defaultFramebufferObject());
    functions->glBlitFramebuffer(0, 0, from.width(), from.height(), 0, 0, full.width(),
                                 full.height(), GL_COLOR_BUFFER_BIT, GL_NEAREST);
    functions->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
}

// The highlighted building is drawn again over itself in its own colour: the
// same vertices through the same program give the same depths, which the
// depth test lets through when equal.
void PreviewView::DrawBuildings(const QMatrix4x4& viewProjection, bool boxes) {
    MeshBuffers& buffers = boxes ? boxes_ : buildings_;
    const BuildingDrawMesh& mesh = boxes ? scene_->BoxesToDraw() : scene_->BuildingsToDraw();
    if (buffers.indexCount == 0 || !buildingProgram_.bind()) {
        return;
    }
    SetCommonUniforms(buildingProgram_, viewProjection);
    buildingProgram_.setUniformValue("colour", ToRgb(kBuildingColour));
    const bool belowAFloor = camera_.Eye().z() < mesh.highestFloor * layers_.exaggeration;
    const auto drawn =
        static_cast<std::uint32_t>(belowAFloor ? mesh.indices.size() : mesh.floorIndexStart);
    DrawMesh(buildingProgram_, buffers, buffers.indices, false, {0, drawn});
    if (highlighted_ && *highlighted_ < mesh.parts.size()) {
        glDepthFunc(GL_LEQUAL);
        buildingProgram_.setUniformValue("colour", ToRgb(kHighlightColour));
        DrawMesh(buildingProgram_, buffers, buffers.indices, false, mesh.parts[*highlighted_]);
        if (belowAFloor) {
            DrawMesh(buildingProgram_, buffers, buffers.indices, false, mesh.floors[*highlighted_]);
        }
        glDepthFunc(GL_LESS);
    }
    buildingProgram_.release();
}

// Terrain is seen from below too, when the camera dips under it, so it is not culled.
void PreviewView::DrawTerrain(const QMatrix4x4& viewProjection, bool coarse) {
    if (terrain_.indexCount == 0 || !terrainProgram_.bind()) {
        return;
    }
    const bool textured = layers_.texture && texture_ && terrain_.uvs.isCreated();
    glDisable(GL_CULL_FACE);
    SetCommonUniforms(terrainProgram_, viewProjection);
    terrainProgram_.setUniformValue("textured", textured);
    terrainProgram_.setUniformValue("ground", ToRgb(kGroundColour));
    terrainProgram_.setUniformValue("ortho", 0);
    if (textured) {
        texture_->bind(0);
    }
    QOpenGLBuffer& indices = coarse ? coarseTerrain_ : terrain_.indices;
    const int count = coarse ? coarseTerrainCount_ : terrain_.indexCount;
    DrawMesh(terrainProgram_, terrain_, indices, textured, {0, static_cast<std::uint32_t>(count)});
    if (textured) {
        texture_->release(0);
    }
    terrainProgram_.release();
}

void PreviewView::SetCommonUniforms(QOpenGLShaderProgram& program,
                                    const QMatrix4x4& viewProjection) {
    program.setUniformValue("viewProjection", viewProjection);
    program.setUniformValue("exaggeration", layers_.exaggeration);
    const Vec3 sun = kPreviewLight.TowardSun();
    program.setUniformValue("towardSun", QVector3D(sun.x, sun.y, sun.z));
    program.setUniformValue("ambient", kPreviewLight.ambient);
}

void PreviewView::DrawMesh(QOpenGLShaderProgram& program, MeshBuffers& mesh, QOpenGLBuffer& indices,
                           bool withUvs, IndexRange range) {
    const auto attach = [&program](QOpenGLBuffer& buffer, const char* name, int size) {
        buffer.bind();
        program.enableAttributeArray(name);
        program.setAttributeBuffer(name, GL_FLOAT, 0, size);
        buffer.release();
    };
    attach(mesh.positions, "position", 3);
    if (mesh.normals.isCreated()) {
        attach(mesh.normals, "normal", 3);
    }
    if (withUvs) {
        attach(mesh.uvs, "uv", 2);
    }
    indices.bind();
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(range.count), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(std::uintptr_t{range.first} * sizeof(GLuint)));
    indices.release();
    for (const char* name : {"position", "normal", "uv"}) {
        if (program.attributeLocation(name) >= 0) {
            program.disableAttributeArray(name);
        }
    }
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
    pressPoint_ = lastPoint_ = event->position();
    dragged_ = false;
}

void PreviewView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF delta = event->position() - lastPoint_;
    lastPoint_ = event->position();
    if ((event->position() - pressPoint_).manhattanLength() > kClickSlopPixels) {
        dragged_ = true;
    }
    const bool pan =
        (event->buttons() & Qt::RightButton) ||
        ((event->buttons() & Qt::LeftButton) && (event->modifiers() & Qt::ShiftModifier));
    if (pan) {
        camera_.Pan(static_cast<float>(delta.x()), static_cast<float>(delta.y()), height());
    } else if (event->buttons() & Qt::LeftButton) {
        camera_.Orbit(-kDegreesPerPixel * static_cast<float>(delta.x()),
                      kDegreesPerPixel * static_cast<float>(delta.y()));
    } else {
        return;
    }
    NoteCameraMoving();
}

void PreviewView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragged_) {
        return;
    }
    const auto hit = PickAt(event->position());
    SetHighlighted(hit ? hit->part : std::nullopt);
    emit Picked(highlighted_);
}

void PreviewView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (const auto hit = PickAt(event->position())) {
        camera_.CentreOn(hit->point);
        update();
    }
}

void PreviewView::wheelEvent(QWheelEvent* event) {
    camera_.Zoom(static_cast<float>(event->angleDelta().y()) / 120.0f);
    NoteCameraMoving();
}

void PreviewView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            camera_.Orbit(-kDegreesPerKey, 0.0f);
            break;
        case Qt::Key_Right:
            camera_.Orbit(kDegreesPerKey, 0.0f);
            break;
        case Qt::Key_Up:
            camera_.Orbit(0.0f, kDegreesPerKey);
            break;
        case Qt::Key_Down:
            camera_.Orbit(0.0f, -kDegreesPerKey);
            break;
        case Qt::Key_Plus:
            camera_.Zoom(1.0f);
            break;
        case Qt::Key_Minus:
            camera_.Zoom(-1.0f);
            break;
        case Qt::Key_Home:
            ShowAll();
            return;
        default:
            QOpenGLWindow::keyPressEvent(event);
            return;
    }
    NoteCameraMoving();
}

}  // namespace vesk::gui
