// The buildings as the preview draws them: the model's vertices, one per
// corner and face, welded into one per corner of each building, the floors
// set apart at the end.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "SheetBuilder.h"
#include "scene/BuildingDrawMesh.h"

namespace vesk {
namespace {

using Corner = std::tuple<float, float, float>;

// Two 4 x 4 metre boxes from 5 to 15 metres that share their wall at x = 4.
BlockModel TwoTouchingBoxes() {
    test::SheetBuilder sheet;
    SubSheetRecord record;
    for (float west : {0.0f, 4.0f}) {
        record.buildingPositions.push_back(sheet.Offset());
        sheet.Building(5.0f, 15.0f, {{west, 0}, {west + 4, 0}, {west + 4, 4}, {west, 4}});
    }
    MemoryByteSource source(sheet.Bytes());
    return BuildBlockModel(source, record, {true, false, false});
}

std::set<Corner> CornersIn(const BuildingDrawMesh& mesh, IndexRange range) {
    std::set<Corner> corners;
    for (std::uint32_t i = range.first; i < range.first + range.count; ++i) {
        const Vec3& p = mesh.positions[mesh.indices[i]];
        corners.insert({p.x, p.y, p.z});
    }
    return corners;
}

std::set<Corner> BoxCorners(float west) {
    std::set<Corner> corners;
    for (float x : {west, west + 4}) {
        for (float y : {0.0f, 4.0f}) {
            for (float z : {5.0f, 15.0f}) {
                corners.insert({x, y, z});
            }
        }
    }
    return corners;
}

// Each box has 8 corners, however many of the model's vertices stand on one;
// the shared wall's corners are not shared, so that each building's run of
// triangles draws that building alone. Four walls and a roof of two triangles
// each come before all floors; each floor's two triangles lie at the bottom.
TEST(BuildingDrawMesh, WeldsEachBuildingsCornersAndSetsTheFloorsLast) {
    const BlockModel model = TwoTouchingBoxes();
    ASSERT_EQ(model.buildingParts.size(), 2u);
    ASSERT_GT(model.buildings.positions.size(), 16u);
    const BuildingDrawMesh mesh = MakeDrawMesh(model);
    EXPECT_EQ(mesh.positions.size(), 16u);
    EXPECT_EQ(mesh.indices.size(), model.buildings.indices.size());
    EXPECT_EQ(mesh.floorIndexStart, 2u * 10u * 3u);
    EXPECT_EQ(mesh.highestFloor, 5.0f);
    ASSERT_EQ(mesh.parts.size(), 2u);
    ASSERT_EQ(mesh.floors.size(), 2u);
    for (std::uint32_t k = 0; k < 2; ++k) {
        const IndexRange part = mesh.parts[k];
        EXPECT_EQ(part.count, 10u * 3u);
        EXPECT_EQ(CornersIn(mesh, part), BoxCorners(4.0f * static_cast<float>(k)));
        for (std::uint32_t i = part.first; i < part.first + part.count; ++i) {
            EXPECT_EQ(mesh.indices[i] / 8, k) << "a vertex of the other building";
        }
        EXPECT_EQ(mesh.floors[k].count, 2u * 3u);
        EXPECT_GE(mesh.floors[k].first, mesh.floorIndexStart);
        for (const Corner& corner : CornersIn(mesh, mesh.floors[k])) {
            EXPECT_EQ(std::get<2>(corner), 5.0f);
        }
    }
}

}  // namespace
}  // namespace vesk
