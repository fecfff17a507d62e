// The 3D preview on a real OpenGL context (Mesa's software renderer on Xvfb):
// what its pixels show of a sample block, what a click picks, and how the
// window follows the selection and remembers its settings.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSettings>
#include <QTest>
#include <QThreadPool>
#include <QtMath>
#include <algorithm>
#include <atomic>
#include <limits>

#include "GuiFixture.h"
#include "SampleSheet.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "convert/OutputName.h"
#include "preview/MovingResolution.h"
#include "preview/PreviewBuild.h"
#include "preview/PreviewView.h"
#include "preview/PreviewWindow.h"
#include "view/CMyVeskView.h"

using namespace vesk;
using namespace vesk::gui;
using vesk::test::GuiFixture;

namespace {

constexpr int kBlock = 12;                  // the middle block of the sheet
const QPoint kBlockOnPicture(250, 187);     // its middle on the 500 x 375 picture
const QPoint kOtherBlockOnPicture(50, 37);  // block 0
constexpr int kTolerance = 2;

std::filesystem::path SampleSheet(GuiFixture& gui, const std::string& name, std::uint32_t seed) {
    sample::SampleOptions options;
    options.seed = seed;
    const auto path = gui.dir / name;
    std::string error;
    if (!sample::WriteSampleSheet(options, path, error)) {
        qWarning("%s", error.c_str());
    }
    return path;
}

bool CompleteSceneDrawn(const PreviewView* view) {
    return view->Scene() && view->Scene()->IsComplete() && view->HasDrawnScene();
}

// The preview of the selected block, opened by its command, once its complete
// scene is drawn; none if it did not come.
PreviewWindow* OpenPreview(GuiFixture& gui) {
    gui.Frame().Commands().Run(cmd::kPreview);
    PreviewWindow* preview = gui.Frame().Preview();
    if (!preview || !QTest::qWaitForWindowExposed(preview) ||
        !QTest::qWaitFor([preview] { return CompleteSceneDrawn(preview->View()); }, 20000)) {
        return nullptr;
    }
    return preview;
}

// The middle block of a sample sheet, selected and shown in the preview.
PreviewWindow* PreviewOfSampleBlock(GuiFixture& gui) {
    gui.Open(SampleSheet(gui, "a.tqb", 1));
    gui.ClickPicture(kBlockOnPicture);
    return OpenPreview(gui);
}

bool Near(QColor seen, QColor expected, int tolerance = kTolerance) {
    return std::abs(seen.red() - expected.red()) <= tolerance &&
           std::abs(seen.green() - expected.green()) <= tolerance &&
           std::abs(seen.blue() - expected.blue()) <= tolerance;
}

QByteArray Describe(QColor colour) {
    return QStringLiteral("(%1, %2, %3)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .toUtf8();
}

// The tallest building, and the middle of its largest roof triangle: a point
// inside the footprint whatever its shape.
struct RoofPoint {
    std::size_t part = 0;
    QVector3D point;
};

RoofPoint TallestRoof(const BlockModel& model) {
    const auto& parts = model.buildingParts;
    const auto tallest = std::max_element(parts.begin(), parts.end(), [](auto& a, auto& b) {
        return a.roof - a.bottom < b.roof - b.bottom;
    });
    const TriangleMesh& mesh = model.buildings;
    double largest = -1.0;
    QVector3D middle;
    for (std::uint32_t i = tallest->firstIndex; i < tallest->firstIndex + tallest->indexCount;
         i += 3) {
        const Vec3& a = mesh.positions[mesh.indices[i]];
        const Vec3& b = mesh.positions[mesh.indices[i + 1]];
        const Vec3& c = mesh.positions[mesh.indices[i + 2]];
        const double area = std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
        if (a.z == tallest->roof && b.z == tallest->roof && c.z == tallest->roof &&
            area > largest) {
            largest = area;
            middle = QVector3D(a.x + b.x + c.x, a.y + b.y + c.y, a.z + b.z + c.z) / 3.0f;
        }
    }
    return {static_cast<std::size_t>(tallest - parts.begin()), middle};
}

// The texels of the ortho image about a point of the block, from the ground
// grid's corners and the image's rows running from the north down.
std::pair<QColor, QColor> TexelRange(const PreviewScene& scene, QVector3D point) {
    const auto& positions = scene.Ground()->mesh.positions;
    const Vec3& south = positions.front();
    const Vec3& north = positions.back();
    const RgbaImage& image = *scene.Model().texture;
    const double u = (point.x() - south.x) / (north.x - south.x);
    const double v = (point.y() - south.y) / (north.y - south.y);
    const int column = static_cast<int>(u * image.width);
    const int row = static_cast<int>((1.0 - v) * image.height);
    int low[3] = {255, 255, 255};
    int high[3] = {0, 0, 0};
    for (int r = std::max(row - 1, 0); r <= std::min<int>(row + 1, image.height - 1); ++r) {
        for (int c = std::max(column - 1, 0); c <= std::min<int>(column + 1, image.width - 1);
             ++c) {
            for (int k = 0; k < 3; ++k) {
                const int value =
                    image.pixels[(static_cast<std::size_t>(r) * image.width + c) * 4 + k];
                low[k] = std::min(low[k], value);
                high[k] = std::max(high[k], value);
            }
        }
    }
    return {QColor(low[0], low[1], low[2]), QColor(high[0], high[1], high[2])};
}

// The least and the most of the light's share among the terrain grid's
// normals at the corners of the cell that holds a point.
std::pair<float, float> ShareRange(const TerrainModel& terrain, QVector3D point) {
    const TerrainGrid& grid = terrain.grid;
    const auto column = std::min(static_cast<std::uint32_t>(point.x() / grid.dx), grid.columns - 2);
    const auto row = std::min(static_cast<std::uint32_t>(point.y() / grid.dy), grid.rows - 2);
    float low = 1.0f;
    float high = 0.0f;
    for (std::uint32_t i = row; i <= row + 1; ++i) {
        for (std::uint32_t j = column; j <= column + 1; ++j) {
            const float share = kPreviewLight.Share(terrain.mesh.normals[i * grid.columns + j]);
            low = std::min(low, share);
            high = std::max(high, share);
        }
    }
    return {low, high};
}

QColor Scaled(QColor colour, float share) {
    const auto scale = [share](int value) {
        return static_cast<int>(std::lround(static_cast<float>(value) * share));
    };
    return QColor(scale(colour.red()), scale(colour.green()), scale(colour.blue()));
}

// The colours a range of colours shows under the light's shares about a point.
std::pair<QColor, QColor> Shaded(const std::pair<QColor, QColor>& colours,
                                 std::pair<float, float> shares) {
    return {Scaled(colours.first, shares.first), Scaled(colours.second, shares.second)};
}

bool Within(QColor seen, const std::pair<QColor, QColor>& range) {
    const auto in = [](int value, int low, int high) {
        return value >= low - 3 && value <= high + 3;
    };
    return in(seen.red(), range.first.red(), range.second.red()) &&
           in(seen.green(), range.first.green(), range.second.green()) &&
           in(seen.blue(), range.first.blue(), range.second.blue());
}

// A pixel where the view shows bare ground, searched on a coarse lattice.
std::optional<QPoint> GroundPixel(const PreviewView& view) {
    for (int y = 8; y < view.height(); y += 16) {
        for (int x = 8; x < view.width(); x += 16) {
            const auto hit = view.PickAt(QPointF(x, y));
            if (hit && !hit->part) {
                return QPoint(x, y);
            }
        }
    }
    return std::nullopt;
}

// A wall triangle of a building: its middle and the way it faces.
struct Wall {
    QVector3D middle;
    QVector3D normal;
};

std::vector<Wall> WallsOf(const BlockModel& model, const BuildingPart& part) {
    std::vector<Wall> walls;
    const TriangleMesh& mesh = model.buildings;
    for (std::uint32_t i = part.firstIndex; i < part.firstIndex + part.indexCount; i += 3) {
        const auto corner = [&](std::uint32_t k) {
            const Vec3& p = mesh.positions[mesh.indices[i + k]];
            return QVector3D(p.x, p.y, p.z);
        };
        const QVector3D normal =
            QVector3D::crossProduct(corner(1) - corner(0), corner(2) - corner(0)).normalized();
        if (std::abs(normal.z()) < 1e-3f) {
            walls.push_back({(corner(0) + corner(1) + corner(2)) / 3.0f, normal});
        }
    }
    return walls;
}

float ShareOf(const QVector3D& normal) {
    return kPreviewLight.Share({normal.x(), normal.y(), normal.z()});
}

int DifferingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            differing += Near(a.pixelColor(x, y), b.pixelColor(x, y)) ? 0 : 1;
        }
    }
    return differing;
}

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private slots:
    void commandNeedsASelectedBlock();
    void pixelsShowBuildingsTerrainAndGroundAsToggled();
    void blockWithoutGridStandsOnItsOrthoImage();
    void terrainLeftOutIsNamedWithItsReasonInJapanese();
    void clickPicksTheBuildingUnderThePointer();
    void pickedBuildingIsHighlightedMovingAndAtRest();
    void wallsFacingDifferentWaysAreShadedApart();
    void movingFramesCoarsenWhenSlowAndSharpenWhenFast();
    void sketchPicksBoxesAndTellsTheFootprintArea();
    void cameraReturnsHomeAndDoubleClickCentres();
    void keysReachTheViewOnceItsWindowIsActivated();
    void windowFollowsTheSelection();
    void togglesAndSizeAreRemembered();
    void heavyBlocksAreBuiltWithoutHoldingUpTheMainWindow();
};

void PreviewTest::commandNeedsASelectedBlock() {
    GuiFixture gui;
    QVERIFY(!gui.Frame().Commands().IsAvailable(cmd::kPreview));
    gui.Open(SampleSheet(gui, "a.tqb", 1));
    QVERIFY(!gui.Frame().Commands().IsAvailable(cmd::kPreview));
    QVERIFY(!gui.Frame().Commands().Run(cmd::kPreview));
    QVERIFY(gui.Frame().Preview() == nullptr);
    gui.ClickPicture(kBlockOnPicture);
    QVERIFY(gui.Frame().Commands().IsAvailable(cmd::kPreview));
    QCOMPARE(gui.Action(cmd::kPreview)->text(), QString::fromUtf8("3Dﾌﾟﾚﾋﾞｭｰ\tF3"));
    QCOMPARE(gui.Action(cmd::kPreview)->shortcut(), QKeySequence(Qt::Key_F3));
    PreviewWindow* preview = OpenPreview(gui);
    QVERIFY(preview);
    QVERIFY2(preview->View()->context() && preview->View()->context()->isValid(),
             "no OpenGL context: is Mesa installed?");
    QVERIFY(!preview->isModal());
    QCOMPARE(preview->windowTitle(),
             QString::fromUtf8("3Dﾌﾟﾚﾋﾞｭｰ - ") +
                 QString::fromStdString(MakeOutputName(gui.Doc().CopySubSheetRecord(kBlock))));
}

// From straight above, close over the tallest building: its roof is level and
// shows the building colour; without buildings the ortho image's texels
// there, and without the texture the plain ground, both as lit on the slope.
void PreviewTest::pixelsShowBuildingsTerrainAndGroundAsToggled() {
    GuiFixture gui;
    PreviewWindow* preview = PreviewOfSampleBlock(gui);
    QVERIFY(preview);
    PreviewView* view = preview->View();
    const BlockModel& model = view->Scene()->Model();
    QVERIFY(model.terrain && model.texture && !model.buildingParts.empty());
    const RoofPoint roof = TallestRoof(model);

    view->Camera().CentreOn(roof.point);
    view->Camera().Orbit(0.0f, 90.0f);
    view->Camera().Zoom(4.0f);
    const QPoint pixel = view->Camera().Project(roof.point, view->size()).toPoint();
    QVERIFY(QRect(QPoint(), view->size()).contains(pixel));

    QColor seen = view->GrabFrame().pixelColor(pixel);
    QVERIFY2(Near(seen, kBuildingColour), Describe(seen));

    SceneLayers layers = view->Layers();
    layers.buildings = false;
    view->SetLayers(layers);
    seen = view->GrabFrame().pixelColor(pixel);
    const std::pair<float, float> shares = ShareRange(*model.terrain, roof.point);
    QVERIFY2(Within(seen, Shaded(TexelRange(*view->Scene(), roof.point), shares)), Describe(seen));
    QVERIFY2(!Near(seen, kBuildingColour), Describe(seen));

    layers.texture = false;
    view->SetLayers(layers);
    seen = view->GrabFrame().pixelColor(pixel);
    QVERIFY2(Within(seen, Shaded({kGroundColour, kGroundColour}, shares)), Describe(seen));

    layers.terrain = false;
    view->SetLayers(layers);
    seen = view->GrabFrame().pixelColor(pixel);
    QVERIFY2(Near(seen, kSkyColour), Describe(seen));
}

// A block without its height grid stands on level ground at its lowest
// building's bottom, over the block's area, with the ortho image on it.
void PreviewTest::blockWithoutGridStandsOnItsOrthoImage() {
    GuiFixture gui;
    sample::SampleOptions options;
    options.withDem = false;
    const auto sheet = gui.dir / "no-grid.tqb";
    std::string error;
    QVERIFY2(sample::WriteSampleSheet(options, sheet, error), error.c_str());
    gui.Open(sheet);
    gui.ClickPicture(kBlockOnPicture);
    PreviewWindow* preview = OpenPreview(gui);
    QVERIFY(preview);
    PreviewView* view = preview->View();
    const PreviewScene& scene = *view->Scene();
    QVERIFY(!scene.Model().terrain && scene.Model().texture && scene.Ground());
    const auto& parts = scene.Model().buildingParts;
    QVERIFY(!parts.empty());
    const float lowest = std::min_element(parts.begin(), parts.end(), [](auto& a, auto& b) {
                             return a.bottom < b.bottom;
                         })->bottom;
    const SubSheetRecord record = gui.Doc().CopySubSheetRecord(kBlock);
    const Vec3& northEast = scene.Ground()->mesh.positions.back();
    QCOMPARE(scene.Ground()->mesh.positions.front().z, lowest);
    QCOMPARE(northEast.x, record.width);
    QCOMPARE(northEast.y, record.height);

    view->Camera().Orbit(0.0f, 90.0f);
    const auto pixel = GroundPixel(*view);
    QVERIFY(pixel);
    const auto hit = view->PickAt(*pixel);
    QVERIFY(hit && std::abs(hit->point.z() - lowest) < 0.01f);
    QColor seen = view->GrabFrame().pixelColor(*pixel);
    QVERIFY2(Within(seen, TexelRange(scene, hit->point)), Describe(seen));
    QVERIFY2(!Near(seen, kSkyColour), Describe(seen));

    SceneLayers layers = view->Layers();
    layers.texture = false;
    view->SetLayers(layers);
    seen = view->GrabFrame().pixelColor(*pixel);
    QVERIFY2(Near(seen, kGroundColour), Describe(seen));
}

void PreviewTest::terrainLeftOutIsNamedWithItsReasonInJapanese() {
    GuiFixture gui;
    test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f);
    sheet.SubSheetArea(kBlock, -7200.0f, -35400.0f);
    sheet.Building(0, 10, {{-7100, -35300}, {-7090, -35300}, {-7090, -35290}});
    sheet.Dem(2, 2, 400, 300, {1, std::numeric_limits<float>::quiet_NaN(), 3, 4});
    gui.Open(gui.Write(sheet, "nan.tqb"));
    gui.ClickPicture(kBlockOnPicture);
    PreviewWindow* preview = OpenPreview(gui);
    QVERIFY(preview);
    QCOMPARE(preview->StatusText(),
             QString::fromUtf8("地形ﾃﾞｰﾀ(DEM)に数値でない値があるため、地形を除外しました"));
}

// Picking follows what is drawn: the tallest building under its projected
// roof at any exaggeration, the terrain beneath once buildings are off.
void PreviewTest::clickPicksTheBuildingUnderThePointer() {
    GuiFixture gui;
    PreviewWindow* preview = PreviewOfSampleBlock(gui);
    QVERIFY(preview);
    PreviewView* view = preview->View();
    const BlockModel& model = view->Scene()->Model();
    const RoofPoint roof = TallestRoof(model);
    const BuildingPart& part = model.buildingParts[roof.part];

    for (int index : {0, 2}) {
        preview->findChild<QComboBox*>()->setCurrentIndex(index);
        const float factor = view->Layers().exaggeration;
        QCOMPARE(factor, index == 0 ? 1.0f : 5.0f);
        const QVector3D shown(roof.point.x(), roof.point.y(), roof.point.z() * factor);
        const QPoint pixel = view->Camera().Project(shown, view->size()).toPoint();
        QTest::mouseClick(view, Qt::LeftButton, {}, pixel);
        QVERIFY2(preview->StatusText().startsWith(QStringLiteral("建物 %1 ").arg(part.number + 1)),
                 preview->StatusText().toUtf8());
        const auto hit = view->PickAt(pixel);
        QVERIFY(hit && hit->part == roof.part);
        QVERIFY(std::abs(hit->point.z() - part.roof * factor) < 0.01f * factor);
    }
    QVERIFY(preview->StatusText().contains(QStringLiteral("%1 m").arg(part.roof, 0, 'f', 2)));

    // At the building's foot the ray meets the ground it stands on.
    preview->findChild<QComboBox*>()->setCurrentIndex(0);
    SceneLayers layers = view->Layers();
    layers.buildings = false;
    view->SetLayers(layers);
    const QVector3D foot(roof.point.x(), roof.point.y(), part.bottom);
    const QPoint pixel = view->Camera().Project(foot, view->size()).toPoint();
    const auto hit = view->PickAt(pixel);
    QVERIFY(hit && !hit->part);
    QVERIFY(hit->point.z() < part.roof);
    QTest::mouseClick(view, Qt::LeftButton, {}, pixel);
    QCOMPARE(preview->StatusText(), QString::fromUtf8("ﾚﾃﾞｨ"));
}

// From straight above the tallest roof: a click there paints it in the
// highlight colour, in the light frames drawn while the camera moves as in the
// full ones; the light frame differs from the full one elsewhere; a click on
// bare ground takes the highlight away.
void PreviewTest::pickedBuildingIsHighlightedMovingAndAtRest() {
    GuiFixture gui;
    PreviewWindow* preview = PreviewOfSampleBlock(gui);
    QVERIFY(preview);
    PreviewView* view = preview->View();
    const RoofPoint roof = TallestRoof(view->Scene()->Model());
    view->Camera().CentreOn(roof.point);
    view->Camera().Orbit(0.0f, 90.0f);
    view->Camera().Zoom(3.0f);
    const QPoint pixel = view->Camera().Project(roof.point, view->size()).toPoint();

    QTest::mouseClick(view, Qt::LeftButton, {}, pixel);
    QCOMPARE(view->Highlighted(), std::optional<std::size_t>(roof.part));
    const QImage full = view->GrabFrame();
    QVERIFY(!view->LastFrameWasLight());
    QVERIFY2(Near(full.pixelColor(pixel), kHighlightColour), Describe(full.pixelColor(pixel)));

    view->NoteCameraMoving();
    const QImage light = view->GrabFrame();
    QVERIFY(view->LastFrameWasLight());
    QVERIFY2(Near(light.pixelColor(pixel), kHighlightColour), Describe(light.pixelColor(pixel)));
    QVERIFY(DifferingPixels(light, full) > full.width() * full.height() / 100);
    QTRY_VERIFY(!view->LastFrameWasLight());  // the camera rested: a full frame came by itself
    QCOMPARE(DifferingPixels(view->GrabFrame(), full), 0);

    const auto ground = GroundPixel(*view);
    QVERIFY(ground);
    QTest::mouseClick(view, Qt::LeftButton, {}, *ground);
    QVERIFY(!view->Highlighted());
    QCOMPARE(preview->StatusText(), QString::fromUtf8("ﾚﾃﾞｨ"));
    const QColor after = view->GrabFrame().pixelColor(pixel);
    QVERIFY2(Near(after, kBuildingColour), Describe(after));
}

// Two walls of the tallest building that the light meets differently, seen
// from between the ways they face: each shows the building colour by the
// light's share for its way, so the corner between them shows.
void PreviewTest::wallsFacingDifferentWaysAreShadedApart() {
    GuiFixture gui;
    PreviewWindow* preview = PreviewOfSampleBlock(gui);
    QVERIFY(preview);
    PreviewView* view = preview->View();
    const BlockModel& model = view->Scene()->Model();
    const RoofPoint roof = TallestRoof(model);
    const std::vector<Wall> walls = WallsOf(model, model.buildingParts[roof.part]);
    for (const Wall& a : walls) {
        for (const Wall& b : walls) {
            if (ShareOf(a.normal) - ShareOf(b.normal) < 0.15f ||
                QVector3D::dotProduct(a.normal, b.normal) < -0.5f) {
                continue;
            }
            const QVector3D between = (a.normal + b.normal).normalized();
            view->ShowAll();
            view->Camera().CentreOn(roof.point);
            view->Camera().Orbit(qRadiansToDegrees(std::atan2(between.y(), between.x())) - 225.0f,
                                 15.0f);
            view->Camera().Zoom(6.0f);
            const QPoint pixelA = view->Camera().Project(a.middle, view->size()).toPoint();
            const QPoint pixelB = view->Camera().Project(b.middle, view->size()).toPoint();
            const auto hitA = view->PickAt(pixelA);
            const auto hitB = view->PickAt(pixelB);
            if (!hitA || hitA->part != roof.part || !hitB || hitB->part != roof.part) {
                continue;  // another building stands in front
            }
            const QImage frame = view->GrabFrame();
            const QColor seenA = frame.pixelColor(pixelA);
            const QColor seenB = frame.pixelColor(pixelB);
            QVERIFY2(Near(seenA, Scaled(kBuildingColour, ShareOf(a.normal)), 3), Describe(seenA));
            QVERIFY2(Near(seenB, Scaled(kBuildingColour, ShareOf(b.normal)), 3), Describe(seenB));
            QVERIFY2(!Near(seenA, seenB, 20), Describe(seenA) + " " + Describe(seenB));
            return;
        }
    }
    QFAIL("no two walls facing different ways in sight");
}

void PreviewTest::movingFramesCoarsenWhenSlowAndSharpenWhenFast() {
    MovingResolution resolution;
    QCOMPARE(resolution.Divisor(), MovingResolution::kFinest);
    for (double ms : {10.0, 200.0, 10.0, 80.0, 80.0}) {  // no three slow frames in a row
        resolution.FrameTook(ms);
    }
    QCOMPARE(resolution.Divisor(), 2);
    resolution.FrameTook(80.0);
    QCOMPARE(resolution.Divisor(), 3);
    for (int frame = 0; frame < 12; ++frame) {
        resolution.FrameTook(50.0);
    }
    QCOMPARE(resolution.Divisor(), MovingResolution::kCoarsest);
    // Finer only after ten fast frames in a row: 20 ms is within the budget but not fast.
    for (int frame = 0; frame < 9; ++frame) {
        resolution.FrameTook(frame == 4 ? 20.0 : 10.0);
    }
    QCOMPARE(resolution.Divisor(), 4);
    for (int frame = 0; frame < 5; ++frame) {  // nine fast ones since the 20 ms frame
        resolution.FrameTook(10.0);
    }
    QCOMPARE(resolution.Divisor(), 4);
    resolution.FrameTook(10.0);
    QCOMPARE(resolution.Divisor(), 3);
}

// Before the footprints are triangulated the boxes are what is picked; the
// status line still tells the footprint's own area, not the box's.
void PreviewTest::sketchPicksBoxesAndTellsTheFootprintArea() {
    FootprintSet footprints;
    // A 10 x 4 rectangle without its 4 x 2 north-west corner: 32 square metres.
    footprints.corners = {{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 2}, {0, 2}};
    footprints.buildings.push_back({3, 1.0f, 11.0f, 0, 6});
    const PreviewScene sketch(BlockModel{}, BoxesOf(footprints), BlockArea{});
    QVERIFY(!sketch.IsComplete());
    QCOMPARE(sketch.PartCount(), std::size_t{1});
    const SceneLayers layers;
    // Straight down on the missing corner: the box's roof is there.
    const auto hit = sketch.Pick({{2, 3, 100}, {0, 0, -1}}, layers);
    QVERIFY(hit && hit->part == std::optional<std::size_t>(0));
    QVERIFY(std::abs(hit->point.z() - 11.0f) < 1e-4f);
    QCOMPARE(sketch.Describe(0),
             QString::fromUtf8("建物 4   下端 1.00 m   屋上 11.00 m   建築面積 32.0 m²"));
    QVERIFY(!sketch.Pick({{12, 3, 100}, {0, 0, -1}}, layers));
}

// The default view has the whole block in sight; keys and the wheel move the
// camera, Home brings it back, a double-click centres on the point under it.
void PreviewTest::cameraReturnsHomeAndDoubleClickCentres() {
    GuiFixture gui;
    PreviewWindow* preview = PreviewOfSampleBlock(gui);
    QVERIFY(preview);
    PreviewView* view = preview->View();
    const SceneBounds bounds = view->Scene()->Bounds(1.0f);
    PreviewCamera& camera = view->Camera();
    const auto wholeBlockInSight = [&] {
        for (float x : {bounds.low.x(), bounds.high.x()}) {
            for (float y : {bounds.low.y(), bounds.high.y()}) {
                for (float z : {bounds.low.z(), bounds.high.z()}) {
                    if (!QRect(QPoint(), view->size())
                             .contains(camera.Project({x, y, z}, view->size()).toPoint())) {
                        return false;
                    }
                }
            }
        }
        return true;
    };
    QVERIFY(wholeBlockInSight());
    // A tall, narrow window too, once Home fits the view again.
    const QSize wide = preview->size();
    preview->resize(preview->minimumSizeHint().width(), 900);
    QTRY_VERIFY(view->height() > 2 * view->width());
    QTest::keyClick(view, Qt::Key_Home);
    QVERIFY(wholeBlockInSight());
    preview->resize(wide);
    QTRY_COMPARE(preview->size(), wide);
    QTest::keyClick(view, Qt::Key_Home);

    const QVector3D home = camera.Eye();
    QVERIFY(home.x() < bounds.Centre().x() && home.y() < bounds.Centre().y());
    QVERIFY(std::abs((home - camera.Target()).normalized().z() - std::sqrt(0.5f)) < 1e-4f);

    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Plus}) {
        const QVector3D before = camera.Eye();
        QTest::keyClick(view, key);
        QVERIFY(camera.Eye() != before);
    }
    QTest::keyClick(view, Qt::Key_Home);
    QVERIFY((camera.Eye() - home).length() < 1e-3f);

    const QPoint middle = QRect(QPoint(), view->size()).center() + QPoint(40, 30);
    const auto hit = view->PickAt(middle);
    QVERIFY(hit);
    QTest::mouseDClick(view, Qt::LeftButton, {}, middle);
    QVERIFY((camera.Target() - hit->point).length() < 1e-3f);
    const QPointF now = camera.Project(hit->point, view->size());
    QVERIFY(std::abs(now.x() - view->width() / 2.0) < 1.0);
    QVERIFY(std::abs(now.y() - view->height() / 2.0) < 1.0);
}

// A click on the title bar activates the window, and the window manager
// hands it the keyboard: the view is given it, whatever had it before.
void PreviewTest::keysReachTheViewOnceItsWindowIsActivated() {
    GuiFixture gui;
    PreviewWindow* preview = PreviewOfSampleBlock(gui);
    QVERIFY(preview);
    for (QWidget* elsewhere : {static_cast<QWidget*>(&gui.Frame()),
                               static_cast<QWidget*>(preview->findChild<QCheckBox*>())}) {
        elsewhere->activateWindow();
        elsewhere->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(elsewhere->window()));
        gui.Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&gui.Frame()));

        preview->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(preview));
        QTRY_COMPARE(QGuiApplication::focusWindow(), static_cast<QWindow*>(preview->View()));
        const QVector3D before = preview->View()->Camera().Eye();
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Left);
        QVERIFY(preview->View()->Camera().Eye() != before);
    }
}

void PreviewTest::windowFollowsTheSelection() {
    GuiFixture gui;
    const auto sheet = SampleSheet(gui, "a.tqb", 1);
    gui.Open(sheet);
    gui.ClickPicture(kBlockOnPicture);
    PreviewWindow* preview = OpenPreview(gui);
    QVERIFY(preview);

    gui.ClickPicture(kOtherBlockOnPicture);
    QCOMPARE(gui.Doc().SelectedSubSheet(), 0);
    const SubSheetRecord other = gui.Doc().CopySubSheetRecord(0);
    QCOMPARE(preview->windowTitle(),
             QString::fromUtf8("3Dﾌﾟﾚﾋﾞｭｰ - ") + QString::fromStdString(MakeOutputName(other)));
    QVERIFY(preview->View()->Scene() == nullptr);  // not the previous block meanwhile
    QTRY_VERIFY_WITH_TIMEOUT(preview->View()->Scene(), 20000);
    QCOMPARE(preview->View()->Scene()->Model().originX, static_cast<double>(other.originX));
    QCOMPARE(preview->View()->Scene()->Model().originY, static_cast<double>(other.originY));

    gui.ClickPicture(kOtherBlockOnPicture);  // deselects it
    QCOMPARE(preview->windowTitle(), QString::fromUtf8("3Dﾌﾟﾚﾋﾞｭｰ"));
    QVERIFY(preview->View()->Scene() == nullptr);

    gui.ClickPicture(kBlockOnPicture);
    QTRY_VERIFY_WITH_TIMEOUT(preview->View()->Scene() != nullptr, 20000);
    gui.Open(SampleSheet(gui, "b.tqb", 2));
    QVERIFY(preview->View()->Scene() == nullptr);
    QCOMPARE(preview->windowTitle(), QString::fromUtf8("3Dﾌﾟﾚﾋﾞｭｰ"));
    QTest::qWait(200);  // a build still under way for the old sheet must not come back
    QVERIFY(preview->View()->Scene() == nullptr);
}

void PreviewTest::togglesAndSizeAreRemembered() {
    GuiFixture gui;
    PreviewWindow* preview = PreviewOfSampleBlock(gui);
    QVERIFY(preview);
    preview->resize(520, 410);
    QList<QCheckBox*> boxes = preview->findChildren<QCheckBox*>();
    QCOMPARE(boxes.size(), 3);
    boxes[0]->setChecked(false);
    boxes[2]->setChecked(false);
    preview->findChild<QComboBox*>()->setCurrentIndex(1);
    QVERIFY(!preview->View()->Layers().buildings && preview->View()->Layers().terrain &&
            !preview->View()->Layers().texture);
    QCOMPARE(preview->View()->Layers().exaggeration, 2.0f);
    preview->close();
    delete preview;

    PreviewWindow again(gui.Doc(), &gui.Frame());
    QCOMPARE(again.size(), QSize(520, 410));
    QVERIFY(!again.View()->Layers().buildings && again.View()->Layers().terrain &&
            !again.View()->Layers().texture);
    QCOMPARE(again.View()->Layers().exaggeration, 2.0f);
    boxes = again.findChildren<QCheckBox*>();
    QVERIFY(!boxes[0]->isChecked() && boxes[1]->isChecked() && !boxes[2]->isChecked());
}

// A block of 40,000 buildings takes over a second to build. Meanwhile the
// main window answers a click and paints at once: Qt shares large image
// drawing out over its global thread pool, so the builds keep out of it. The
// limit is far above the few milliseconds a click takes and far below a
// build, for a machine busy with other work too. Each click overtakes the
// build before it, and the preview ends with the block selected last;
// closing the window leaves no build running.
void PreviewTest::heavyBlocksAreBuiltWithoutHoldingUpTheMainWindow() {
    GuiFixture gui;
    sample::SampleOptions options;
    options.buildingsPerSubSheet = 40000;
    const auto heavy = gui.dir / "heavy.tqb";
    std::string error;
    QVERIFY2(sample::WriteSampleSheet(options, heavy, error), error.c_str());
    gui.Open(heavy);
    gui.ClickPicture(kBlockOnPicture);
    QElapsedTimer build;
    build.start();
    PreviewWindow* preview = OpenPreview(gui);
    QVERIFY(preview);
    QVERIFY2(build.elapsed() > 300, QByteArray::number(build.elapsed()));

    const QPoint blocks[] = {kOtherBlockOnPicture, kBlockOnPicture};
    for (int click = 0; click < 6; ++click) {
        QElapsedTimer handling;
        handling.start();
        gui.ClickPicture(blocks[click % 2]);
        gui.Frame().View()->viewport()->repaint();
        QVERIFY2(handling.elapsed() < 250, QByteArray::number(handling.elapsed()));
        QVERIFY(preview->IsBuilding());
        // The repaint's own image drawing may hold a pool thread a moment longer; a build would
        // hold one for a second.
        QTRY_COMPARE_WITH_TIMEOUT(QThreadPool::globalInstance()->activeThreadCount(), 0, 100);
        // Each build gets as far as its sketch, or not, before the next click.
        QTest::qWait(click * 100);
    }
    QCOMPARE(gui.Doc().SelectedSubSheet(), kBlock);
    const SubSheetRecord last = gui.Doc().CopySubSheetRecord(kBlock);
    QVERIFY(QTest::qWaitFor([preview] { return CompleteSceneDrawn(preview->View()); }, 60000));
    QCOMPARE(preview->View()->Scene()->Model().originX, static_cast<double>(last.originX));
    QCOMPARE(preview->View()->Scene()->Model().originY, static_cast<double>(last.originY));
    QCOMPARE(preview->StatusText(), QString::fromUtf8("ﾚﾃﾞｨ"));

    // An overtaken request builds nothing.
    const std::atomic<std::uint64_t> latest = 2;
    QVERIFY(!BuildSketch(heavy, last, BuildRequest(latest, 1)));

    // Closed in the middle of a build, and opened again: that block is built anew.
    gui.ClickPicture(kOtherBlockOnPicture);
    QVERIFY(preview->IsBuilding());
    preview->close();
    QVERIFY(!preview->IsBuilding());
    const SubSheetRecord other = gui.Doc().CopySubSheetRecord(0);
    QVERIFY(OpenPreview(gui) == preview);
    QCOMPARE(preview->View()->Scene()->Model().originX, static_cast<double>(other.originX));
    QCOMPARE(preview->View()->Scene()->Model().originY, static_cast<double>(other.originY));
}

QTEST_MAIN(PreviewTest)
#include "PreviewTest.moc"
