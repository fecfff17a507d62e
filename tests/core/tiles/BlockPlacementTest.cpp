// Placements checked against PROJ: its command-line tool for the figures
// written below, and, for many points, the same transformations through
// PlaneGeoreference (which its own tests hold to cs2cs).
#include "tiles/BlockPlacement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>

#include "TempDir.h"
#include "export/DracoCompression.h"

namespace vesk {
namespace {

// echo "-34800 -8000 0" | cs2cs -f %.4f EPSG:2451 EPSG:4978
constexpr double kOriginEcef[3] = {-3958118.5065, 3351394.0991, 3699976.2896};
// echo "35.9543065 139.4453363 0" | cs2cs -f %.4f EPSG:4326+5773 EPSG:4979:
// sea level at zone 9's easting -35000, northing -5000 is 39.1667 m above the ellipsoid.
constexpr geo::LonLat kZone9Point{139.4453363, 35.9543065};
constexpr double kZone9Undulation = 39.1667;

struct Point {
    double x, y, z;
};

Point Apply(const TileTransform& m, double x, double y, double z) {
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

double Distance(Point a, geo::Ecef b) {
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

BlockModel BlockAt(double x, double y, float zLow, float zHigh) {
    BlockModel model;
    model.zone = 9;
    model.originX = x;
    model.originY = y;
    model.buildings.positions = {{0.0f, 0.0f, zLow}, {400.0f, 300.0f, zHigh}};
    return model;
}

BlockPlacement Place(geo::PlaneGeoreference& georeference, geo::GeoidModel* geoid,
                     const BlockModel& model) {
    const auto placed =
        PlaceModel(georeference, geoid, model, {{model.originX, model.originY}, 400.0, 300.0});
    EXPECT_TRUE(placed) << placed.Error();
    return placed ? *placed : BlockPlacement{};
}

geo::GeoidModel Egm96() {
    auto geoid = geo::GeoidModel::Open(std::nullopt);
    if (!geoid) {
        ADD_FAILURE() << geoid.Error();
    }
    return std::move(*geoid);
}

TEST(BlockPlacement, OriginLandsWhereCs2csPutsIt) {
    geo::PlaneGeoreference georeference;
    const auto m = Place(georeference, nullptr, BlockAt(-8000.0, -34800.0, 10.0f, 60.0f)).transform;
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(m[12 + i], kOriginEcef[i], 0.001) << i;
    }
    EXPECT_EQ(m[15], 1.0);
}

// Near the central meridian and 120 km off it, where the grid's scale
// factor (0.9999 to 1.0001) and its turn from north differ most: the corner
// two neighbours share lands on PROJ's point from both.
TEST(BlockPlacement, NeighboursMeetAtProjsCornersWithinAMillimetre) {
    geo::PlaneGeoreference georeference;
    for (const double x0 : {-8000.0, 120000.0}) {
        const double y0 = -34800.0;
        const auto a = Place(georeference, nullptr, BlockAt(x0, y0, 0.0f, 1.0f)).transform;
        const auto east = Place(georeference, nullptr, BlockAt(x0 + 400, y0, 0.0f, 1.0f)).transform;
        const auto north =
            Place(georeference, nullptr, BlockAt(x0, y0 + 300, 0.0f, 1.0f)).transform;
        const auto ne =
            Place(georeference, nullptr, BlockAt(x0 + 400, y0 + 300, 0.0f, 1.0f)).transform;
        const auto proj = [&](double x, double y) {
            return *georeference.ToEcef(9, {{x, y}, 0.0});
        };
        const geo::Ecef shared = proj(x0 + 400, y0 + 300);
        EXPECT_LT(Distance(Apply(a, 400, 300, 0), shared), 0.001) << x0;
        EXPECT_LT(Distance(Apply(east, 0, 300, 0), shared), 0.001) << x0;
        EXPECT_LT(Distance(Apply(north, 400, 0, 0), shared), 0.001) << x0;
        EXPECT_LT(Distance(Apply(ne, 0, 0, 0), shared), 0.001) << x0;
        EXPECT_LT(Distance(Apply(a, 400, 0, 0), proj(x0 + 400, y0)), 0.001) << x0;
        EXPECT_LT(Distance(Apply(a, 0, 300, 0), proj(x0, y0 + 300)), 0.001) << x0;
    }
}

// Buildings may stand a little outside their block and the ground curves
// away under the frame: every point the model holds, as the transform puts
// it, must lie in the region a client culls by.
TEST(BlockPlacement, EveryVertexLiesInsideTheRegion) {
    geo::PlaneGeoreference georeference;
    geo::GeoidModel geoid = Egm96();
    BlockModel model = BlockAt(120000.0, -34800.0, 0.0f, 0.0f);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> x(-1.0f, 401.0f), y(-1.0f, 301.0f), z(-5.0f, 150.0f);
    model.buildings.positions.clear();
    for (int k = 0; k < 2000; ++k) {
        model.buildings.positions.push_back({x(random), y(random), z(random)});
    }
    for (const Vec3 corner : {Vec3{-1, -1, -5}, Vec3{401, 301, 150}, Vec3{200, 150, -5},
                              Vec3{-1, 301, 150}, Vec3{401, -1, -5}}) {
        model.buildings.positions.push_back(corner);
    }
    const BlockPlacement placed = Place(georeference, &geoid, model);
    const TileRegion& r = placed.region;
    // Where a compressed mesh may put them: half a quantization step off.
    const double shift = DracoPositionError(402.0);  // the box is 402 m wide
    std::vector<Vec3> moved;
    for (const Vec3& p : model.buildings.positions) {
        for (const double d : {-shift, shift}) {
            moved.push_back({static_cast<float>(p.x + d), static_cast<float>(p.y + d),
                             static_cast<float>(p.z + d)});
        }
    }
    for (const Vec3& p : moved) {
        const Point ecef = Apply(placed.transform, p.x, p.y, p.z);
        const auto position = georeference.FromEcef(9, {ecef.x, ecef.y, ecef.z});
        ASSERT_TRUE(position);
        const auto lonLat = georeference.ToLonLat(9, position->point);
        const double lon = lonLat->longitude * std::numbers::pi / 180.0;
        const double lat = lonLat->latitude * std::numbers::pi / 180.0;
        EXPECT_TRUE(lon >= r.west && lon <= r.east && lat >= r.south && lat <= r.north)
            << p.x << "," << p.y;
        EXPECT_TRUE(position->height >= r.minHeight && position->height <= r.maxHeight)
            << p.x << "," << p.y << "," << p.z << ": " << position->height;
    }
    // Tight too: a few centimetres of slack, not metres.
    EXPECT_NEAR(r.minHeight, -5.0 + placed.undulation, 0.05);
    EXPECT_GT(shift, 0.01);
}

TEST(BlockPlacement, Egm96UndulationRaisesSeaLevelHeightsToTheEllipsoid) {
    geo::GeoidModel geoid = Egm96();
    EXPECT_NEAR(*geoid.Undulation(kZone9Point), kZone9Undulation, 0.001);
    EXPECT_EQ(geoid.Description(), "EGM96 (egm96_15.gtx)");

    // The block whose centre is that point: its ground at sea level (z = 0)
    // lands at the undulation above the ellipsoid, its roofs as far above it.
    geo::PlaneGeoreference georeference;
    const BlockModel model = BlockAt(-35200.0, -5150.0, 0.0f, 25.0f);
    const BlockPlacement placed = Place(georeference, &geoid, model);
    EXPECT_NEAR(placed.undulation, kZone9Undulation, 0.01);
    const Point centre = Apply(placed.transform, 200.0, 150.0, 25.0);
    const auto position = georeference.FromEcef(9, {centre.x, centre.y, centre.z});
    EXPECT_NEAR(position->height, 25.0 + kZone9Undulation, 0.02);
    EXPECT_NEAR(position->point.easting, -35000.0, 0.01);
    EXPECT_NEAR(position->point.northing, -5000.0, 0.01);
}

TEST(BlockPlacement, UserGridIsReadWhateverItsPathAndAMissingOneIsNamed) {
    test::TempDir dir;
    const auto copy = dir / "my geoid+grid.gtx";
    std::filesystem::copy_file("/usr/share/proj/egm96_15.gtx", copy);
    auto user = geo::GeoidModel::Open(copy);
    ASSERT_TRUE(user) << user.Error();
    EXPECT_NEAR(*user->Undulation(kZone9Point), kZone9Undulation, 0.001);
    EXPECT_EQ(user->Description(), "my geoid+grid.gtx");

    auto missing = geo::GeoidModel::Open(dir / "none.tif");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.Error().find("none.tif"), std::string::npos);
    std::ofstream(dir / "text.gtx") << "no grid at all\n";
    auto text = geo::GeoidModel::Open(dir / "text.gtx");
    ASSERT_FALSE(text);
    EXPECT_EQ(text.Error(), "the geoid grid " + (dir / "text.gtx").string() +
                                " is no vertical grid PROJ can read");
}

TEST(BlockPlacement, ChildTransformRelativeToItsParentComposesBack) {
    geo::PlaneGeoreference georeference;
    const auto parent =
        Place(georeference, nullptr, BlockAt(-8000.0, -34800.0, 0.0f, 1.0f)).transform;
    const auto child =
        Place(georeference, nullptr, BlockAt(-6400.0, -33600.0, 0.0f, 1.0f)).transform;
    const TileTransform relative = RelativeTo(parent, child);
    for (const Point local : {Point{0, 0, 0}, Point{400, 300, 50}}) {
        const Point inParent = Apply(relative, local.x, local.y, local.z);
        const Point composed = Apply(parent, inParent.x, inParent.y, inParent.z);
        const Point direct = Apply(child, local.x, local.y, local.z);
        EXPECT_NEAR(composed.x, direct.x, 1e-6);
        EXPECT_NEAR(composed.y, direct.y, 1e-6);
        EXPECT_NEAR(composed.z, direct.z, 1e-6);
    }
}

TEST(BlockPlacement, ZoneWithoutGeoreferenceNothingToPlaceOrNoFiniteOriginIsRefused) {
    geo::PlaneGeoreference georeference;
    const geo::PlaneRectangle frame{{-8000.0, -34800.0}, 400.0, 300.0};
    BlockModel outside = BlockAt(-8000.0, -34800.0, 0.0f, 1.0f);
    outside.zone = 0;
    const auto refused = PlaceModel(georeference, nullptr, outside, frame);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Error(),
              "zone 0 has no georeference (the plane rectangular zones are 1 to 19)");
    BlockModel empty = BlockAt(-8000.0, -34800.0, 0.0f, 1.0f);
    empty.buildings.positions.clear();
    EXPECT_FALSE(PlaceModel(georeference, nullptr, empty, frame));
    const geo::PlaneRectangle nan{{std::nan(""), -34800.0}, 400.0, 300.0};
    EXPECT_FALSE(PlaceModel(georeference, nullptr, BlockAt(0, 0, 0.0f, 1.0f), nan));
}

}  // namespace
}  // namespace vesk
