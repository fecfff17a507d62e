// The 3D preview on the conversion benchmark's block (BenchBlock.h): 5,000
// star-shaped buildings of 4 to 40 corners, a 401 x 301 DEM and a 1024 x 1024
// ortho texture. It reports the time from asking for the block to its first
// frame on the screen (the sketch: boxes and the ground) and to the first
// frame of the complete scene, and the frames per second while the camera
// orbits (the light scene) and of still frames (the full scene), at a
// 1024 x 768 view (or "WxH" as its argument):
//
//   tests/gui/smoke/xvfb_gl_test.sh build/dev/bench/vesk_preview_benchmark /tmp/vesk-preview-bench
//
// It needs an X server with OpenGL (there Mesa's llvmpipe); it asserts nothing.
#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <vector>

#include "BenchBlock.h"
#include "SilentUi.h"
#include "document/CMyVeskDoc.h"
#include "model/FootprintSet.h"
#include "preview/PreviewView.h"
#include "preview/PreviewWindow.h"
#include "sheet/FileByteSource.h"

namespace {

using vesk::SubSheetRecord;

constexpr int kOrbitFrames = 120;
constexpr int kStillFrames = 20;
constexpr int kFirstFrameRuns = 5;

// The view's size; an argument "WxH" changes it, to tell pixel work from geometry work.
QSize ViewSize(const QStringList& arguments) {
    const QStringList parts = arguments.value(1).split('x');
    if (parts.size() == 2 && parts[0].toInt() > 0 && parts[1].toInt() > 0) {
        return {parts[0].toInt(), parts[1].toInt()};
    }
    return {1024, 768};
}

struct FirstFrames {
    double sketchMs = -1.0;
    double completeMs = -1.0;
};

// From the request to the frames that show the block on the screen: its
// sketch, then the complete scene.
FirstFrames FirstFramesMs(vesk::gui::PreviewWindow& window, const std::filesystem::path& path,
                          const SubSheetRecord& record) {
    vesk::gui::PreviewView* view = window.View();
    FirstFrames times;
    QElapsedTimer timer;
    const auto connection = QObject::connect(view, &QOpenGLWindow::frameSwapped, view, [&] {
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (view->HasDrawnScene() && times.sketchMs < 0.0) {
            times.sketchMs = ms;
        }
        if (view->HasDrawnScene() && view->Scene()->IsComplete()) {
            times.completeMs = ms;
        }
    });
    timer.start();
    window.ShowBlock(path, record);
    if (!QTest::qWaitFor([&] { return times.completeMs >= 0.0; }, 60000)) {
        std::printf("(the complete scene did not come within a minute)\n");
    }
    QObject::disconnect(connection);
    return times;
}

// The parts of those times that happen off the user interface's thread.
void ReportPreparation(const std::filesystem::path& path, const SubSheetRecord& record) {
    auto source = vesk::FileByteSource::Open(path);
    if (!source) {
        return;
    }
    QElapsedTimer timer;
    timer.start();
    vesk::BlockModel ground = vesk::BuildBlockModel(*source, record, {.buildings = false});
    std::vector<vesk::LeftOutBuilding> leftOut;
    const vesk::FootprintSet footprints = vesk::ReadFootprints(*source, record, leftOut);
    const vesk::BlockArea area{record.width, record.height};
    const vesk::gui::PreviewScene sketch(std::move(ground), vesk::BoxesOf(footprints), area);
    const double sketchMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    vesk::BlockModel model = vesk::BuildBlockModel(*source, record, vesk::ModelChoices{});
    const double modelMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    const vesk::gui::PreviewScene scene(std::move(model), area);
    const double sceneMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf("off the UI thread: sketch %.0f ms; block model %.0f ms, its preparation %.0f ms\n",
                sketchMs, modelMs, sceneMs);
}

// A frame drawn and shown, as the window does on its next update.
void DrawNow(vesk::gui::PreviewView& view) {
    bool swapped = false;
    const auto connection = QObject::connect(&view, &QOpenGLWindow::frameSwapped, &view,
                                             [&swapped] { swapped = true; });
    view.update();
    QElapsedTimer timer;
    timer.start();
    while (!swapped && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    QObject::disconnect(connection);
}

// The processor time of all the program's threads (llvmpipe draws on its own),
// which other programs on the machine disturb less than the time on the clock.
double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct OrbitFigures {
    double framesPerSecond = 0.0;
    double cpuMsPerFrame = 0.0;
};

// Frames as the camera turns: while it moves (light), or each one a still frame (full).
OrbitFigures Orbit(vesk::gui::PreviewView& view, bool moving) {
    if (!QTest::qWaitFor([&] { return !view.LastFrameWasLight(); }, 2000)) {
        std::printf("(the camera did not come to rest)\n");
    }
    const int frames = moving ? kOrbitFrames : kStillFrames;
    int light = 0;
    const double cpuStart = ProcessCpuMs();
    QElapsedTimer timer;
    timer.start();
    for (int frame = 0; frame < frames; ++frame) {
        view.Camera().Orbit(360.0f / kOrbitFrames, 0.0f);
        if (moving) {
            view.NoteCameraMoving();
        }
        DrawNow(view);
        light += view.LastFrameWasLight() ? 1 : 0;
    }
    view.makeCurrent();
    view.context()->functions()->glFinish();
    view.doneCurrent();
    const OrbitFigures figures{frames / (static_cast<double>(timer.nsecsElapsed()) / 1e9),
                               (ProcessCpuMs() - cpuStart) / frames};
    if (light != (moving ? frames : 0)) {
        std::printf("(%d of %d frames light)\n", light, frames);
    }
    return figures;
}

void ReportOrbit(vesk::gui::PreviewView& view, const char* layers, bool moving) {
    const OrbitFigures figures = Orbit(view, moving);
    std::printf("%s, %s: %.1f frames per second, %.1f ms of processor time a frame",
                moving ? "orbiting" : "still frames", layers, figures.framesPerSecond,
                figures.cpuMsPerFrame);
    if (moving) {
        std::printf(" (pixels divided by %d along each side at the end)",
                    view.MovingPixelDivisor());
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vesk-preview-benchmark"));
    const QSize viewSize = ViewSize(QApplication::arguments());
    const auto folder = std::filesystem::temp_directory_path() / "vesk-bench-preview";
    std::filesystem::create_directories(folder);
    const auto path = folder / "block-textured.tqb";
    const SubSheetRecord record =
        vesk::bench::MakeBlockSheet(path, {.buildings = 5000, .texture = true}).record;

    vesk::bench::SilentUi ui;
    vesk::CMyVeskDoc doc(ui);
    vesk::gui::PreviewWindow window(doc, nullptr);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    window.resize(window.size() + (viewSize - window.View()->size()));
    if (!QTest::qWaitFor([&] { return window.View()->size() == viewSize; }, 5000)) {
        std::fprintf(stderr, "the view did not take its size\n");
        return 1;
    }
    window.View()->makeCurrent();
    const char* renderer = reinterpret_cast<const char*>(
        window.View()->context()->functions()->glGetString(GL_RENDERER));
    std::printf("renderer: %s, view %d x %d\n", renderer ? renderer : "(none)",
                window.View()->width(), window.View()->height());

    std::vector<double> sketchFrames;
    std::vector<double> completeFrames;
    for (int run = 0; run < kFirstFrameRuns; ++run) {
        window.ShowNothing();
        QCoreApplication::processEvents();
        const FirstFrames times = FirstFramesMs(window, path, record);
        sketchFrames.push_back(times.sketchMs);
        completeFrames.push_back(times.completeMs);
    }
    std::sort(sketchFrames.begin(), sketchFrames.end());
    std::sort(completeFrames.begin(), completeFrames.end());
    const auto* scene = window.View()->Scene();
    const vesk::BlockModel& model = scene->Model();
    const vesk::BuildingDrawMesh& drawn = scene->BuildingsToDraw();
    std::printf(
        "block: %zu buildings, %zu building triangles over %zu vertices (drawn over %zu, "
        "%zu of them floors), %zu terrain triangles\n",
        model.buildingParts.size(), model.buildings.TriangleCount(),
        model.buildings.positions.size(), drawn.positions.size(),
        (drawn.indices.size() - drawn.floorIndexStart) / 3,
        model.terrain ? model.terrain->mesh.TriangleCount() : 0);
    std::printf("light scene: %zu box triangles, %zu terrain triangles\n",
                scene->BoxesToDraw().indices.size() / 3, scene->CoarseTerrain().size() / 3);
    const auto report = [](const char* what, const std::vector<double>& ms) {
        std::printf("selection to %s: median %.0f ms (min %.0f, max %.0f, %d runs)\n", what,
                    ms[ms.size() / 2], ms.front(), ms.back(), kFirstFrameRuns);
    };
    report("first frame (sketch)", sketchFrames);
    report("first frame of the complete scene", completeFrames);
    ReportPreparation(path, record);
    QElapsedTimer pickTimer;
    pickTimer.start();
    const auto hit =
        window.View()->PickAt(QPointF(viewSize.width() / 2.0, viewSize.height() / 2.0));
    std::printf("a pick at the view's middle: %.1f ms (%s)\n",
                static_cast<double>(pickTimer.nsecsElapsed()) / 1e6,
                hit ? (hit->part ? "a building" : "the terrain") : "nothing");
    vesk::gui::PreviewView& view = *window.View();
    ReportOrbit(view, "all layers", true);
    ReportOrbit(view, "all layers", false);
    vesk::SceneLayers layers = view.Layers();
    layers.terrain = false;
    view.SetLayers(layers);
    ReportOrbit(view, "buildings only", true);
    layers.terrain = true;
    layers.buildings = false;
    view.SetLayers(layers);
    ReportOrbit(view, "terrain only", true);
    layers.terrain = false;
    view.SetLayers(layers);
    ReportOrbit(view, "nothing drawn", true);
    return 0;
}
