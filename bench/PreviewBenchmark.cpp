// The 3D preview on the conversion benchmark's block (BenchBlock.h): 5,000
// star-shaped buildings of 4 to 40 corners, a 401 x 301 DEM and a 1024 x 1024
// ortho texture. It reports the time from asking for the block to its first
// frame on the screen, and the frames per second while the camera orbits, at
// a 1024 x 768 view (or "WxH" as its argument):
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
#include <filesystem>
#include <vector>

#include "BenchBlock.h"
#include "SilentUi.h"
#include "document/CMyVeskDoc.h"
#include "preview/PreviewView.h"
#include "preview/PreviewWindow.h"
#include "sheet/FileByteSource.h"

namespace {

using vesk::SubSheetRecord;

constexpr int kOrbitFrames = 120;
constexpr int kFirstFrameRuns = 5;

// The view's size; an argument "WxH" changes it, to tell pixel work from geometry work.
QSize ViewSize(const QStringList& arguments) {
    const QStringList parts = arguments.value(1).split('x');
    if (parts.size() == 2 && parts[0].toInt() > 0 && parts[1].toInt() > 0) {
        return {parts[0].toInt(), parts[1].toInt()};
    }
    return {1024, 768};
}

// From the request to the frame that shows the block on the screen.
double FirstFrameMs(vesk::gui::PreviewWindow& window, const std::filesystem::path& path,
                    const SubSheetRecord& record) {
    vesk::gui::PreviewView* view = window.View();
    bool swapped = false;
    const auto connection = QObject::connect(view, &QOpenGLWidget::frameSwapped, view,
                                             [&] { swapped = swapped || view->HasDrawnScene(); });
    QElapsedTimer timer;
    timer.start();
    window.ShowBlock(path, record);
    const bool shown = QTest::qWaitFor([&] { return swapped; }, 60000);
    const double ms = shown ? static_cast<double>(timer.nsecsElapsed()) / 1e6 : -1.0;
    QObject::disconnect(connection);
    return ms;
}

// The parts of the first frame's time that happen off the user interface's
// thread: the block model, and the preview's own preparation of it.
void ReportPreparation(const std::filesystem::path& path, const SubSheetRecord& record) {
    auto source = vesk::FileByteSource::Open(path);
    if (!source) {
        return;
    }
    QElapsedTimer timer;
    timer.start();
    vesk::BlockModel model = vesk::BuildBlockModel(*source, record, vesk::ModelChoices{});
    const double modelMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    const vesk::gui::PreviewScene scene(std::move(model));
    const double sceneMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf("of which: block model %.0f ms, preview preparation %.0f ms\n", modelMs, sceneMs);
}

double OrbitFramesPerSecond(vesk::gui::PreviewView& view) {
    QElapsedTimer timer;
    timer.start();
    for (int frame = 0; frame < kOrbitFrames; ++frame) {
        view.Camera().Orbit(360.0f / kOrbitFrames, 0.0f);
        view.repaint();
        QCoreApplication::processEvents();
    }
    view.makeCurrent();
    view.context()->functions()->glFinish();
    view.doneCurrent();
    return kOrbitFrames / (static_cast<double>(timer.nsecsElapsed()) / 1e9);
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
    const char* renderer = reinterpret_cast<const char*>(
        window.View()->context()->functions()->glGetString(GL_RENDERER));
    std::printf("renderer: %s, view %d x %d\n", renderer ? renderer : "(none)",
                window.View()->width(), window.View()->height());

    std::vector<double> firstFrames;
    for (int run = 0; run < kFirstFrameRuns; ++run) {
        window.ShowNothing();
        QCoreApplication::processEvents();
        firstFrames.push_back(FirstFrameMs(window, path, record));
    }
    std::sort(firstFrames.begin(), firstFrames.end());
    const auto* scene = window.View()->Scene();
    const vesk::BlockModel& model = scene->Model();
    const vesk::gui::BuildingDrawMesh& drawn = scene->BuildingsToDraw();
    std::printf(
        "block: %zu buildings, %zu building triangles over %zu vertices (drawn over %zu, "
        "%zu of them floors), %zu terrain triangles\n",
        model.buildingParts.size(), model.buildings.TriangleCount(),
        model.buildings.positions.size(), drawn.positions.size(),
        (drawn.indices.size() - drawn.floorIndexStart) / 3,
        model.terrain ? model.terrain->mesh.TriangleCount() : 0);
    std::printf("selection to first frame: median %.0f ms (min %.0f, max %.0f, %d runs)\n",
                firstFrames[firstFrames.size() / 2], firstFrames.front(), firstFrames.back(),
                kFirstFrameRuns);
    ReportPreparation(path, record);
    QElapsedTimer pickTimer;
    pickTimer.start();
    const auto hit =
        window.View()->PickAt(QPointF(viewSize.width() / 2.0, viewSize.height() / 2.0));
    std::printf("a pick at the view's middle: %.1f ms (%s)\n",
                static_cast<double>(pickTimer.nsecsElapsed()) / 1e6,
                hit ? (hit->part ? "a building" : "the terrain") : "nothing");
    std::printf("orbiting, all layers: %.1f frames per second\n",
                OrbitFramesPerSecond(*window.View()));
    vesk::gui::SceneLayers layers = window.View()->Layers();
    layers.terrain = false;
    window.View()->SetLayers(layers);
    std::printf("orbiting, buildings only: %.1f frames per second\n",
                OrbitFramesPerSecond(*window.View()));
    layers.terrain = true;
    layers.buildings = false;
    window.View()->SetLayers(layers);
    std::printf("orbiting, terrain only: %.1f frames per second\n",
                OrbitFramesPerSecond(*window.View()));
    layers.terrain = false;
    window.View()->SetLayers(layers);
    std::printf("orbiting, nothing drawn: %.1f frames per second\n",
                OrbitFramesPerSecond(*window.View()));
    return 0;
}
