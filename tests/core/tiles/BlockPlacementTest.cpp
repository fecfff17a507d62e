// Placements checked against PROJ's command-line tool: the figures below are
// what `cs2cs EPSG:2451 EPSG:4978` and `cs2cs EPSG:2451 EPSG:4326` print
// (northing first) for points of zone 9.
#include "tiles/BlockPlacement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vesk {
namespace {

// echo "-34800 -8000 0" | cs2cs -f %.4f EPSG:2451 EPSG:4978
constexpr double kOriginEcef[3] = {-3958118.5065, 3351394.0991, 3699976.2896};
// echo "-34800 -7900 0" | cs2cs -f %.4f EPSG:2451 EPSG:4978: 100 m along the grid's east
constexpr double kGridEastEcef[3] = {-3958183.0915, 3351317.7397, 3699976.3623};
// cs2cs -f %.10f EPSG:2451 EPSG:4326 (latitude, longitude) of the block's
// corners: grid north turns from true north here, so the north-west corner
// lies west of the south-west one and the south-east corner south of it.
constexpr double kWest = 139.7449426968;  // north-west corner (-34500, -8000)
constexpr double kSouth = 35.6862986227;  // south-west corner (-34800, -8000)
constexpr double kEast = 139.7493650580;  // south-east corner (-34800, -7600)
constexpr double kNorth = 35.6890058959;  // north-east corner (-34500, -7600)

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

BlockModel BlockWithBox(float zLow, float zHigh) {
    BlockModel model;
    model.zone = 9;
    model.originX = -8000.0;
    model.originY = -34800.0;
    model.buildings.positions = {{0.0f, 0.0f, zLow}, {400.0f, 300.0f, zHigh}};
    return model;
}

TEST(BlockPlacement, TransformPutsTheOriginWhereProjDoesWithTheGridEastAsX) {
    geo::PlaneGeoreference georeference;
    const auto placed = PlaceBlock(georeference, BlockWithBox(10.0f, 60.0f));
    ASSERT_TRUE(std::holds_alternative<BlockPlacement>(placed));
    const auto& m = std::get<BlockPlacement>(placed).transform;
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(m[12 + i], kOriginEcef[i], 0.001) << i;
        // 100 m east in the block's frame lands on PROJ's point within the
        // scale factor of the zone (0.9999: 1 cm per 100 m).
        EXPECT_NEAR(m[12 + i] + 100.0 * m[i], kGridEastEcef[i], 0.02) << i;
    }
    // Orthonormal and right-handed: x × y = z.
    const double cross[3] = {m[1] * m[6] - m[2] * m[5], m[2] * m[4] - m[0] * m[6],
                             m[0] * m[5] - m[1] * m[4]};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(cross[i], m[8 + i], 1e-12);
    }
    EXPECT_EQ(m[15], 1.0);
}

TEST(BlockPlacement, RegionHoldsTheBlocksCornersAndHeightsAndLittleMore) {
    geo::PlaneGeoreference georeference;
    const auto placed = PlaceBlock(georeference, BlockWithBox(10.0f, 60.0f));
    ASSERT_TRUE(std::holds_alternative<BlockPlacement>(placed));
    const TileRegion& r = std::get<BlockPlacement>(placed).region;
    // A millimetre is 1.6e-10 radians of latitude: the region may be a few
    // centimetres larger than the block (the frame's axes are laid on the
    // tangent plane), not more.
    constexpr double kSlack = 1e-8;
    EXPECT_NEAR(r.south, Radians(kSouth), kSlack);
    EXPECT_NEAR(r.west, Radians(kWest), kSlack);
    EXPECT_NEAR(r.north, Radians(kNorth), kSlack);
    EXPECT_NEAR(r.east, Radians(kEast), kSlack);
    EXPECT_NEAR(r.minHeight, 10.0, 1e-6);
    // The far corner is 500 m from the origin: the Earth's curve lifts it by
    // 500² / (2 × 6.37e6) m, about 2 cm.
    EXPECT_NEAR(r.maxHeight, 60.0 + 0.0196, 0.002);
}

TEST(BlockPlacement, ZoneWithoutGeoreferenceOrNothingToPlaceIsRefused) {
    geo::PlaneGeoreference georeference;
    BlockModel outside = BlockWithBox(0.0f, 1.0f);
    outside.zone = 0;
    const auto refused = PlaceBlock(georeference, outside);
    ASSERT_TRUE(std::holds_alternative<std::string>(refused));
    EXPECT_EQ(std::get<std::string>(refused),
              "zone 0 has no georeference (the plane rectangular zones are 1 to 19)");
    BlockModel empty = BlockWithBox(0.0f, 1.0f);
    empty.buildings.positions.clear();
    EXPECT_TRUE(std::holds_alternative<std::string>(PlaceBlock(georeference, empty)));
}

}  // namespace
}  // namespace vesk
