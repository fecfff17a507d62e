// The level ground of a block without a height grid: laid out as a grid of
// one cell, so that it is drawn, textured and picked as terrain is.
#include <gtest/gtest.h>

#include <array>

#include "scene/FlatGround.h"

namespace vesk {
namespace {

TEST(FlatGround, CoversTheAreaLevelFacingUpWithTheImageSpanningIt) {
    const TerrainModel ground = FlatGround({400.0f, 300.0f}, -2.5f);
    EXPECT_EQ(ground.grid.columns, 2u);
    EXPECT_EQ(ground.grid.rows, 2u);
    const TriangleMesh& mesh = ground.mesh;
    ASSERT_EQ(mesh.positions.size(), 4u);
    ASSERT_EQ(mesh.normals.size(), 4u);
    ASSERT_EQ(mesh.uvs.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        // The terrain's layout: point (row i, column j) is vertex i * 2 + j.
        const float column = static_cast<float>(k % 2);
        const float row = static_cast<float>(k / 2);
        EXPECT_FLOAT_EQ(mesh.positions[k].x, 400.0f * column);
        EXPECT_FLOAT_EQ(mesh.positions[k].y, 300.0f * row);
        EXPECT_FLOAT_EQ(mesh.positions[k].z, -2.5f);
        EXPECT_FLOAT_EQ(mesh.uvs[k].u, column);
        EXPECT_FLOAT_EQ(mesh.uvs[k].v, row);
        EXPECT_FLOAT_EQ(mesh.normals[k].z, 1.0f);
    }
    // Two triangles turning counter-clockwise seen from above, covering the area.
    ASSERT_EQ(mesh.indices.size(), 6u);
    double covered = 0.0;
    for (std::size_t i = 0; i < 6; i += 3) {
        const Vec3& a = mesh.positions[mesh.indices[i]];
        const Vec3& b = mesh.positions[mesh.indices[i + 1]];
        const Vec3& c = mesh.positions[mesh.indices[i + 2]];
        const double turn =
            (double{b.x} - a.x) * (double{c.y} - a.y) - (double{c.x} - a.x) * (double{b.y} - a.y);
        EXPECT_GT(turn, 0.0);
        covered += turn / 2.0;
    }
    EXPECT_DOUBLE_EQ(covered, 400.0 * 300.0);
}

BuildingBox Box(float bottom, float roof) {
    BuildingBox box;
    box.bottom = bottom;
    box.roof = roof;
    return box;
}

TEST(FlatGround, LowestBottomCountsHeightsStoredEitherWayRound) {
    const std::array boxes{Box(3.0f, 12.0f), Box(9.0f, 1.5f), Box(2.0f, 8.0f)};
    EXPECT_FLOAT_EQ(LowestBottom(boxes), 1.5f);
    EXPECT_FLOAT_EQ(LowestBottom({}), 0.0f);
}

}  // namespace
}  // namespace vesk
