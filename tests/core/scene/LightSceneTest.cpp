// The light scene drawn while the camera moves: boxes whose faces turn
// outward (the preview culls the faces turned away), and the thinned terrain.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "scene/LightScene.h"

namespace vesk {
namespace {

// Twice the signed area seen from above: positive when the corners turn
// counter-clockwise.
double TurnFromAbove(const Vec3& a, const Vec3& b, const Vec3& c) {
    return (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
           (static_cast<double>(c.x) - a.x) * (static_cast<double>(b.y) - a.y);
}

// The right-hand normal of a triangle, unnormalised.
std::array<double, 3> Normal(const Vec3& a, const Vec3& b, const Vec3& c) {
    const std::array<double, 3> u{b.x - a.x, b.y - a.y, b.z - a.z};
    const std::array<double, 3> v{c.x - a.x, c.y - a.y, c.z - a.z};
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

// A 4 x 3 box with its heights stored the wrong way round.
BuildingBox Box(double west) {
    BuildingBox box;
    box.bottom = 10.0f;
    box.roof = 2.0f;
    box.corners = {{{west, 0}, {west + 4, 0}, {west + 4, 3}, {west, 3}}};
    return box;
}

TEST(LightScene, BoxIsFourWallsAndARoofTurnedOutward) {
    const std::array boxes{Box(0.0), Box(10.0)};
    const BuildingDrawMesh mesh = MakeBoxMesh(boxes);
    ASSERT_EQ(mesh.positions.size(), 16u);
    ASSERT_EQ(mesh.parts.size(), 2u);
    EXPECT_EQ(mesh.floorIndexStart, mesh.indices.size());
    for (std::size_t k = 0; k < 2; ++k) {
        const IndexRange part = mesh.parts[k];
        EXPECT_EQ(part.count, 5u * 2u * 3u);
        EXPECT_EQ(mesh.floors[k].count, 0u);
        const double middleX = 10.0 * static_cast<double>(k) + 2.0;
        double roofArea = 0.0;
        for (std::uint32_t i = part.first; i < part.first + part.count; i += 3) {
            const Vec3& a = mesh.positions[mesh.indices[i]];
            const Vec3& b = mesh.positions[mesh.indices[i + 1]];
            const Vec3& c = mesh.positions[mesh.indices[i + 2]];
            const auto n = Normal(a, b, c);
            if (a.z == 10.0f && b.z == 10.0f && c.z == 10.0f) {
                EXPECT_GT(n[2], 0.0);
                roofArea += TurnFromAbove(a, b, c) / 2.0;
                continue;
            }
            // A wall: level normal, pointing away from the box's middle.
            EXPECT_EQ(n[2], 0.0);
            const double outward = n[0] * (a.x - middleX) + n[1] * (a.y - 1.5);
            EXPECT_GT(outward, 0.0);
            for (const Vec3* p : {&a, &b, &c}) {
                EXPECT_TRUE(p->z == 2.0f || p->z == 10.0f);
            }
        }
        EXPECT_DOUBLE_EQ(roofArea, 12.0);
    }
}

// Every 4th line of 401 and 301 keeps about 10000 cells.
TEST(LightScene, ThinnedTerrainKeepsTheGridsCorners) {
    TerrainModel terrain;
    terrain.grid = {401, 301, 1.0f, 1.0f};
    terrain.mesh.positions.resize(401 * 301);
    const std::vector<std::uint32_t> coarse = CoarseTerrainIndices(terrain, 10000);
    EXPECT_EQ(coarse.size(), std::size_t{100 * 75 * 6});
    EXPECT_EQ(*std::min_element(coarse.begin(), coarse.end()), 0u);
    EXPECT_EQ(*std::max_element(coarse.begin(), coarse.end()), 401u * 301u - 1u);
    // The south-east corner lies in one triangle of its cell, the south-west in both.
    EXPECT_EQ(std::count(coarse.begin(), coarse.end(), 400u), 1);
    EXPECT_EQ(std::count(coarse.begin(), coarse.end(), 0u), 2);
    terrain.grid = {402, 301, 1.0f, 1.0f};  // not the mesh's grid
    EXPECT_TRUE(CoarseTerrainIndices(terrain, 10000).empty());
}

}  // namespace
}  // namespace vesk
