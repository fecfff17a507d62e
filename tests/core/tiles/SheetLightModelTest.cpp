#include "tiles/SheetLightModel.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// A block of a flat 3 x 3 grid at height 10 with one box, its texture one colour.
LightBlock Block(double x, double y, std::uint8_t red) {
    LightBlock block;
    block.zone = 9;
    block.originX = x;
    block.originY = y;
    block.width = 400.0;
    block.height = 300.0;
    block.boxes.push_back({7, 5.0f, 25.0f, 100.0, {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}}});
    TerrainModel ground;
    ground.grid = {3, 3, 200.0f, 150.0f};
    for (float i = 0; i < 3; ++i) {
        for (float j = 0; j < 3; ++j) {
            ground.mesh.positions.push_back({j * 200.0f, i * 150.0f, 10.0f});
            ground.mesh.normals.push_back({0.0f, 0.0f, 1.0f});
            ground.mesh.uvs.push_back({j / 2.0f, i / 2.0f});
        }
    }
    block.ground = std::move(ground);
    block.texture = RgbaImage{4, 4, {}};
    for (int p = 0; p < 16; ++p) {
        block.texture->pixels.insert(block.texture->pixels.end(), {red, 0, 0, 255});
    }
    return block;
}

// Two blocks side by side on the north row and one on the south: the frame
// covers them, each box keeps its place, and each block's texture lands
// where its ground's uvs point in the one image, rows from the north.
TEST(SheetLightModel, BlocksKeepTheirPlacesInTheFrameAndInTheCombinedImage) {
    // The fourth block is of another zone, the fifth (a damaged origin) far away.
    std::vector<LightBlock> blocks{Block(-8000, -35700, 200), Block(-7600, -35700, 100),
                                   Block(-8000, -36000, 50), Block(0, 0, 0),
                                   Block(1.0e7, -36000, 90)};
    blocks[3].zone = 7;
    const auto light = MakeSheetLightModel(9, blocks);
    ASSERT_TRUE(light);
    EXPECT_EQ(light->frame.southWest.easting, -8000.0);
    EXPECT_EQ(light->frame.southWest.northing, -36000.0);
    EXPECT_EQ(light->frame.width, 800.0);
    EXPECT_EQ(light->frame.height, 600.0);
    const BlockModel& model = light->model;
    ASSERT_EQ(model.buildingParts.size(), 3u);  // neither the zone 7 block nor the far one
    // The second block's box: its corner (10, 10) 400 m east and 300 m north of the frame's.
    const BuildingPart& second = model.buildingParts[1];
    float east = 0.0f;
    float north = 0.0f;
    for (std::uint32_t v = second.firstVertex; v < second.firstVertex + second.vertexCount; ++v) {
        east = std::max(east, model.buildings.positions[v].x);
        north = std::max(north, model.buildings.positions[v].y);
        EXPECT_GE(model.buildings.positions[v].z, 5.0f);
    }
    EXPECT_EQ(east, 410.0f);
    EXPECT_EQ(north, 310.0f);

    ASSERT_TRUE(model.terrain && model.texture);
    const RgbaImage& image = *model.texture;
    const auto red = [&](float u, float v) {
        const auto x = static_cast<std::uint32_t>(u * static_cast<float>(image.width - 1));
        const auto y =
            static_cast<std::uint32_t>((1.0f - v) * static_cast<float>(image.height - 1));
        return image.pixels[(std::size_t{y} * image.width + x) * 4];
    };
    // The middle of each block's ground, as its uv says, shows its colour.
    const TriangleMesh& ground = model.terrain->mesh;
    const std::uint8_t expected[] = {200, 100, 50};
    for (int b = 0; b < 3; ++b) {
        const Vec2 uv = ground.uvs[static_cast<std::size_t>(b) * 9 + 4];
        EXPECT_EQ(red(uv.u, uv.v), expected[b]) << b;
    }
    // The south-east cell has no block: bare ground's green.
    EXPECT_EQ(image.pixels[(std::size_t{image.height - 1} * image.width + image.width - 1) * 4 + 1],
              168);
}

TEST(SheetLightModel, NothingWhenNoBlockOfTheZoneHoldsAnything) {
    EXPECT_FALSE(MakeSheetLightModel(9, {}));
    LightBlock bare = Block(0, 0, 0);
    bare.boxes.clear();
    bare.ground.reset();
    EXPECT_FALSE(MakeSheetLightModel(9, {bare}));
    EXPECT_FALSE(MakeSheetLightModel(6, {Block(0, 0, 0)}));
}

}  // namespace
}  // namespace vesk
