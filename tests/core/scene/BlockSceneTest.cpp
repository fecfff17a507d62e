// Picking in a block's scene: rays against two box-shaped buildings on flat
// ground, whose walls, roofs and ground heights are known by construction;
// and the level ground a block without its grid stands on.
// Rays are kept off the diagonals of the squares' triangles and of the
// ground's cells, where a hit would hang on rounding.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "SheetBuilder.h"
#include "scene/BlockScene.h"

namespace vesk {
namespace {

constexpr float kX0 = 1000.0f;
constexpr float kY0 = 2000.0f;
constexpr float kGround = 5.0f;
constexpr float kWestRoof = 15.0f;   // the building on x 2 to 6, y 2 to 6
constexpr float kEastRoof = 25.0f;   // the building on x 12 to 16, y 2 to 6
constexpr float kEastBottom = 4.0f;  // a metre into the ground
const BlockArea kArea{20.0f, 20.0f};

std::vector<std::pair<float, float>> Square(float west, float south, float side) {
    return {{kX0 + west, kY0 + south},
            {kX0 + west + side, kY0 + south},
            {kX0 + west + side, kY0 + south + side},
            {kX0 + west, kY0 + south + side}};
}

// A 20 x 20 metre block of flat ground at kGround with the two buildings on
// it, or the buildings alone.
BlockModel TwoBuildings(bool onGrid = true) {
    test::SheetBuilder sheet;
    SubSheetRecord record;
    record.originX = kX0;
    record.originY = kY0;
    record.hasDem = onGrid;
    record.demPosition = sheet.Offset();
    sheet.Dem(3, 3, 10.0f, 10.0f, std::vector<float>(9, kGround));
    for (const auto& [west, bottom, roof] :
         {std::tuple{2.0f, kGround, kWestRoof}, std::tuple{12.0f, kEastBottom, kEastRoof}}) {
        record.buildingPositions.push_back(sheet.Offset());
        sheet.Building(bottom, roof, Square(west, 2.0f, 4.0f));
    }
    MemoryByteSource source(sheet.Bytes());
    return BuildBlockModel(source, record, {true, true, false});
}

PickRay Down(float x, float y) {
    return {{x, y, 100.0f}, {0.0f, 0.0f, -1.0f}};
}

class BlockScenePick : public ::testing::Test {
protected:
    BlockScene scene{TwoBuildings(), kArea};
    SceneLayers layers;
};

TEST_F(BlockScenePick, RayFromAboveMeetsTheRoofOfTheBuildingUnderIt) {
    ASSERT_TRUE(scene.IsComplete());
    ASSERT_EQ(scene.PartCount(), 2u);
    const auto west = scene.Pick(Down(3.0f, 4.5f), layers);
    ASSERT_TRUE(west);
    EXPECT_EQ(west->part, std::optional<std::size_t>(0));
    EXPECT_FLOAT_EQ(west->point.z, kWestRoof);
    const auto east = scene.Pick(Down(14.5f, 3.0f), layers);
    ASSERT_TRUE(east);
    EXPECT_EQ(east->part, std::optional<std::size_t>(1));
    EXPECT_FLOAT_EQ(east->point.x, 14.5f);
    EXPECT_FLOAT_EQ(east->point.y, 3.0f);
    EXPECT_FLOAT_EQ(east->point.z, kEastRoof);
}

TEST_F(BlockScenePick, RayMissingEveryBuildingMeetsTheGroundOrNothing) {
    const auto between = scene.Pick(Down(9.0f, 4.0f), layers);
    ASSERT_TRUE(between);
    EXPECT_FALSE(between->part);
    EXPECT_FLOAT_EQ(between->point.z, kGround);
    EXPECT_FALSE(scene.Pick(Down(30.0f, 4.0f), layers));  // beyond the block
    // Upward from above the roof: what lies behind the ray's origin is not met.
    EXPECT_FALSE(scene.Pick({{3.0f, 4.5f, 100.0f}, {0.0f, 0.0f, 1.0f}}, layers));
}

// Level rays at 9 metres, between the ground and both roofs: the first wall
// in the ray's way is the building picked, from either side.
TEST_F(BlockScenePick, NearerBuildingHidesTheOneBehindIt) {
    const auto fromWest = scene.Pick({{-10.0f, 3.0f, 9.0f}, {1.0f, 0.0f, 0.0f}}, layers);
    ASSERT_TRUE(fromWest);
    EXPECT_EQ(fromWest->part, std::optional<std::size_t>(0));
    EXPECT_FLOAT_EQ(fromWest->point.x, 2.0f);
    const auto fromEast = scene.Pick({{30.0f, 3.0f, 9.0f}, {-1.0f, 0.0f, 0.0f}}, layers);
    ASSERT_TRUE(fromEast);
    EXPECT_EQ(fromEast->part, std::optional<std::size_t>(1));
    EXPECT_FLOAT_EQ(fromEast->point.x, 16.0f);
}

// Doubled heights lift the western roof from 15 to 30 metres: a level ray at
// 20 metres passes over it undoubled and meets it doubled.
TEST_F(BlockScenePick, ExaggeratedHeightsArePickedAsDrawn) {
    const PickRay level{{-10.0f, 3.0f, 20.0f}, {1.0f, 0.0f, 0.0f}};
    const auto plain = scene.Pick(level, layers);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->part, std::optional<std::size_t>(1));
    EXPECT_FLOAT_EQ(plain->point.x, 12.0f);
    layers.exaggeration = 2.0f;
    const auto doubled = scene.Pick(level, layers);
    ASSERT_TRUE(doubled);
    EXPECT_EQ(doubled->part, std::optional<std::size_t>(0));
    EXPECT_FLOAT_EQ(doubled->point.x, 2.0f);
    const auto roof = scene.Pick(Down(14.5f, 3.0f), layers);
    ASSERT_TRUE(roof);
    EXPECT_FLOAT_EQ(roof->point.z, 2.0f * kEastRoof);
}

TEST_F(BlockScenePick, LayersNotShownAreNotPicked) {
    layers.buildings = false;
    const auto ground = scene.Pick(Down(14.5f, 3.0f), layers);
    ASSERT_TRUE(ground);
    EXPECT_FALSE(ground->part);
    EXPECT_FLOAT_EQ(ground->point.z, kGround);
    layers = {.buildings = true, .terrain = false};
    EXPECT_FALSE(scene.Pick(Down(9.0f, 4.0f), layers));
    EXPECT_TRUE(scene.Pick(Down(14.5f, 3.0f), layers));
}

// The ground is picked, bounded and toggled as terrain is.
TEST(BlockSceneGround, BlockWithoutGridStandsOnLevelGroundAtItsLowestBottom) {
    const BlockScene scene(TwoBuildings(false), kArea);
    ASSERT_FALSE(scene.Model().terrain);
    ASSERT_TRUE(scene.Ground());
    SceneLayers layers;
    const auto between = scene.Pick(Down(9.0f, 4.0f), layers);
    ASSERT_TRUE(between);
    EXPECT_FALSE(between->part);
    EXPECT_FLOAT_EQ(between->point.z, kEastBottom);
    EXPECT_TRUE(scene.Pick(Down(19.5f, 19.2f), layers));
    EXPECT_FALSE(scene.Pick(Down(20.5f, 9.0f), layers));
    const Extent bounds = scene.Bounds(1.0f);
    EXPECT_FLOAT_EQ(bounds.low.x, 0.0f);
    EXPECT_FLOAT_EQ(bounds.low.y, 0.0f);
    EXPECT_FLOAT_EQ(bounds.low.z, kEastBottom);
    EXPECT_FLOAT_EQ(bounds.high.x, kArea.width);
    EXPECT_FLOAT_EQ(bounds.high.y, kArea.height);
    layers.terrain = false;
    EXPECT_FALSE(scene.Pick(Down(9.0f, 4.0f), layers));
}

TEST(BlockSceneGround, SketchStandsOnTheSameGround) {
    const BlockScene sketch(BlockModel{}, BoxesOf(TwoBuildings(false)), kArea);
    ASSERT_TRUE(sketch.Ground());
    const auto between = sketch.Pick(Down(9.0f, 4.0f), {});
    ASSERT_TRUE(between);
    EXPECT_FLOAT_EQ(between->point.z, kEastBottom);
}

TEST(BlockSceneGround, GridIsTheGroundAndNoAreaGivesNone) {
    const BlockScene onGrid(TwoBuildings(), kArea);
    EXPECT_EQ(onGrid.Ground(), &*onGrid.Model().terrain);
    const BlockScene noArea(TwoBuildings(false), BlockArea{});
    EXPECT_FALSE(noArea.Ground());
    EXPECT_FALSE(noArea.Pick(Down(9.0f, 4.0f), {}));
}

}  // namespace
}  // namespace vesk
