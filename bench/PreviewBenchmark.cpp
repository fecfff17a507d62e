// The 3D preview on the conversion benchmark's block: 5,000 star-shaped
// buildings of 4 to 40 corners, a 401 x 301 DEM and a 1024 x 1024 ortho
// texture, generated into a temporary file with the same seed. It reports the
// time from asking for the block to its first frame on the screen, and the
// frames per second while the camera orbits, at a 1024 x 768 view.
//
//   tests/gui/smoke/xvfb_gl_test.sh build/release/bench/vesk_preview_benchmark
//   /tmp/vesk-preview-bench
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
#include <fstream>
#include <random>
#include <vector>

#include "ByteWriter.h"
#include "ChunkWriter.h"
#include "Raster.h"
#include "SgiImage.h"
#include "SilentUi.h"
#include "document/CMyVeskDoc.h"
#include "preview/PreviewView.h"
#include "preview/PreviewWindow.h"
#include "sheet/FileByteSource.h"

namespace {

using vesk::SubSheetRecord;

constexpr float kX0 = -8000.0f;
constexpr float kY0 = -34800.0f;
constexpr int kBuildings = 5000;
constexpr int kTexturePixels = 1024;
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

class FileSink : public vesk::sample::ByteSink {
public:
    explicit FileSink(std::ofstream& out) : out_(out) {}
    void Put(std::span<const std::byte> bytes) override {
        out_.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        offset_ += bytes.size();
    }
    std::uint32_t Offset() const { return static_cast<std::uint32_t>(offset_); }

private:
    std::ofstream& out_;
    std::uint64_t offset_ = 0;
};

void PutBuilding(FileSink& sink, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const int corners = 4 + static_cast<int>(random() % 37);
    const float cx = kX0 + 20.0f + 360.0f * unit(random);
    const float cy = kY0 + 20.0f + 260.0f * unit(random);
    const float bottom = 5.0f + 40.0f * unit(random);
    vesk::sample::ByteWriter body;
    body.F32(bottom);
    body.F32(bottom + 3.0f + 60.0f * unit(random));
    body.U32(static_cast<std::uint32_t>(corners));
    for (int i = 0; i < corners; ++i) {
        const double angle = 2.0 * 3.14159265358979 * i / corners;
        const float radius = 4.0f + 12.0f * unit(random);
        body.F32(cx + radius * static_cast<float>(std::cos(angle)));
        body.F32(cy + radius * static_cast<float>(std::sin(angle)));
    }
    vesk::sample::PutChunk(sink, vesk::sample::kBuildingId, "STRC", body.Bytes());
}

void PutDem(FileSink& sink, std::mt19937& random) {
    constexpr std::uint32_t kColumns = 401;
    constexpr std::uint32_t kRows = 301;
    vesk::sample::ByteWriter body;
    body.U32(kColumns);
    body.U32(kRows);
    body.F32(1.0f);
    body.F32(1.0f);
    std::uniform_real_distribution<float> noise(-0.05f, 0.05f);
    for (std::uint32_t i = 0; i < kRows; ++i) {
        for (std::uint32_t j = 0; j < kColumns; ++j) {
            body.F32(30.0f + 8.0f * static_cast<float>(std::sin(j / 40.0) * std::cos(i / 55.0)) +
                     noise(random));
        }
    }
    vesk::sample::PutChunk(sink, vesk::sample::kDemId, "DEMF", body.Bytes());
}

void PutOrtho(FileSink& sink) {
    vesk::sample::Raster raster(kTexturePixels, kTexturePixels);
    for (int y = 0; y < kTexturePixels; ++y) {
        for (int x = 0; x < kTexturePixels; ++x) {
            const double field = std::sin(x / 37.0) * std::cos(y / 53.0);
            const auto channel = [&](double base) {
                return static_cast<std::uint8_t>(std::clamp(base + 40.0 * field, 0.0, 255.0));
            };
            raster.Set(x, y, {channel(110), channel(120), channel(95)});
        }
    }
    vesk::sample::VectorSink body(vesk::sample::SgiImageSize(kTexturePixels, kTexturePixels));
    vesk::sample::PutSgiImage(body, raster, "bench");
    vesk::sample::PutChunk(sink, vesk::sample::kOrthoId, "ORTS", body.Take());
}

SubSheetRecord MakeSheet(const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    FileSink sink(out);
    std::mt19937 random(2500);
    SubSheetRecord record;
    vesk::sample::ByteWriter area;
    area.I32(0);
    area.F32(kX0);
    area.F32(kY0);
    area.F32(400.0f);
    area.F32(300.0f);
    vesk::sample::PutChunk(sink, vesk::sample::kSubSheetAreaId, "AREA", area.Bytes());
    for (int k = 0; k < kBuildings; ++k) {
        record.buildingPositions.push_back(sink.Offset());
        PutBuilding(sink, random);
    }
    record.buildingCount = kBuildings;
    record.hasDem = 1;
    record.demPosition = sink.Offset();
    PutDem(sink, random);
    record.hasOrtho = 1;
    record.orthoPosition = sink.Offset();
    PutOrtho(sink);
    record.zone = 9;
    record.originX = kX0;
    record.originY = kY0;
    record.width = 400.0f;
    record.height = 300.0f;
    return record;
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
    const SubSheetRecord record = MakeSheet(path);

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
    std::printf("block: %zu buildings, %zu building triangles, %zu terrain triangles\n",
                scene->Model().buildingParts.size(), scene->Model().buildings.TriangleCount(),
                scene->Model().terrain ? scene->Model().terrain->mesh.TriangleCount() : 0);
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
