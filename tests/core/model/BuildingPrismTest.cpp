// Buildings of the block model against geometric facts: counts, areas,
// volumes and the direction of every normal, for footprints in either order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "MeshFacts.h"
#include "SheetBuilder.h"
#include "model/BlockModel.h"

namespace vesk {
namespace {

using Footprint = std::vector<std::pair<double, double>>;
using ::testing::HasSubstr;

// Far from the zone's origin, as real blocks are: the model must keep small
// footprints exact there.
constexpr double kX0 = -8000.0;
constexpr double kY0 = -34800.0;

const Footprint kUnitSquare = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
const Footprint kLShape = {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 3}, {0, 3}};  // area 5
const Footprint kUShape = {{0, 0}, {5, 0}, {5, 4}, {4, 4},
                           {4, 1}, {1, 1}, {1, 4}, {0, 4}};  // area 11

Footprint Reversed(Footprint footprint) {
    std::reverse(footprint.begin(), footprint.end());
    return footprint;
}

class BlockBuildings : public ::testing::Test {
protected:
    void Add(const Footprint& footprint, float bottom, float roof) {
        std::vector<std::pair<float, float>> corners;
        for (const auto& [x, y] : footprint) {
            corners.emplace_back(static_cast<float>(kX0 + x), static_cast<float>(kY0 + y));
        }
        record.buildingPositions.push_back(sheet.Offset());
        sheet.Building(bottom, roof, corners);
    }

    BlockModel Build() {
        record.originX = static_cast<float>(kX0);
        record.originY = static_cast<float>(kY0);
        MemoryByteSource source(sheet.Bytes());
        return BuildBlockModel(source, record, {true, false, false});
    }

    test::SheetBuilder sheet;
    SubSheetRecord record;
};

// Every triangle's stored normals agree with the way its corners turn.
void ExpectNormalsAgreeWithTurning(const std::vector<test::Triangle>& triangles) {
    for (const test::Triangle& t : triangles) {
        const auto n = test::GeometricNormal(t);
        for (const Vec3& stored : t.normals) {
            EXPECT_NEAR(n[0] * stored.x + n[1] * stored.y + n[2] * stored.z, 1.0, 1e-6);
        }
    }
}

TEST_F(BlockBuildings, UnitSquarePrismHasTwelveTrianglesAndVolumeAreaTimesHeight) {
    Add(kUnitSquare, 2.0f, 9.0f);
    Add(Reversed(kUnitSquare), 2.0f, 9.0f);
    const BlockModel model = Build();
    ASSERT_EQ(model.buildingParts.size(), 2u);
    for (const BuildingPart& part : model.buildingParts) {
        const auto triangles = test::Triangles(model.buildings, part.firstIndex, part.indexCount);
        EXPECT_EQ(triangles.size(), 12u);
        EXPECT_NEAR(test::EnclosedVolume(triangles), 1.0 * 7.0, 1e-6);
        ExpectNormalsAgreeWithTurning(triangles);
    }
}

TEST_F(BlockBuildings, ConcaveFootprintsTriangulateInsideWithTheirAreaAndFaceOutward) {
    const std::vector<std::pair<Footprint, double>> shapes = {
        {kLShape, 5.0}, {Reversed(kLShape), 5.0}, {kUShape, 11.0}, {Reversed(kUShape), 11.0}};
    for (const auto& [footprint, area] : shapes) {
        Add(footprint, 0.0f, 4.0f);
    }
    const BlockModel model = Build();
    ASSERT_EQ(model.buildingParts.size(), shapes.size());
    for (std::size_t k = 0; k < shapes.size(); ++k) {
        const auto& [footprint, area] = shapes[k];
        const BuildingPart& part = model.buildingParts[k];
        const auto triangles = test::Triangles(model.buildings, part.firstIndex, part.indexCount);
        double roofArea = 0.0;
        for (const test::Triangle& t : triangles) {
            if (test::GeometricNormal(t)[2] > 0.5) {
                roofArea += test::Area(t);
                const double cx = (t.corners[0].x + t.corners[1].x + t.corners[2].x) / 3.0;
                const double cy = (t.corners[0].y + t.corners[1].y + t.corners[2].y) / 3.0;
                EXPECT_TRUE(test::Inside(footprint, cx, cy)) << "shape " << k;
            }
        }
        EXPECT_NEAR(roofArea, area, 1e-6 * area) << "shape " << k;
        EXPECT_NEAR(test::EnclosedVolume(triangles), area * 4.0, 1e-5) << "shape " << k;
        ExpectNormalsAgreeWithTurning(triangles);
    }
}

TEST_F(BlockBuildings, FootprintsThatAreNoSimplePolygonAreLeftOutAndCounted) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Add({{0, 0}, {4, 4}, {4, 0}, {0, 2}}, 0, 3);                  // bow-tie: its edges cross
    Add({{0, 0}, {1, 0}, {0, 0}}, 0, 3);                          // two distinct corners
    Add({{0, 0}, {1, 1}, {2, 2}}, 0, 3);                          // on one line: no area
    Add({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {2, 2}, {3, 5}}, 0, 3);  // ring crosses itself
    Add(kUnitSquare, nan, 3);
    Add(kLShape, 0, 3);
    const BlockModel model = Build();
    ASSERT_EQ(model.leftOut.size(), 5u);
    EXPECT_THAT(model.leftOut[0].reason, HasSubstr("crosses or touches itself"));
    EXPECT_THAT(model.leftOut[1].reason, HasSubstr("fewer than 3 distinct"));
    EXPECT_THAT(model.leftOut[2].reason, HasSubstr("no area"));
    EXPECT_THAT(model.leftOut[3].reason, HasSubstr("crosses or touches itself"));
    EXPECT_THAT(model.leftOut[4].reason, HasSubstr("NaN or infinite"));
    ASSERT_EQ(model.buildingParts.size(), 1u);
    EXPECT_EQ(model.buildingParts[0].number, 5u);  // numbers keep their places
}

TEST_F(BlockBuildings, ManyBuildingsKeepTheirOrderWhicheverThreadTriangulatesThem) {
    constexpr std::uint32_t kCount = 1000;  // enough to be shared out among threads
    for (std::uint32_t k = 0; k < kCount; ++k) {
        const double x = k % 40 * 10.0;
        const double y = k / 40 * 10.0;
        if (k % 7 == 3) {
            Add({{x, y}, {x + 4, y + 4}, {x + 4, y}, {x, y + 2}}, 0, 1);  // bow-tie
        } else {
            Add({{x, y}, {x + 3, y}, {x + 3, y + 1}, {x + 1, y + 1}, {x + 1, y + 3}, {x, y + 3}}, 0,
                static_cast<float>(1 + k % 5));  // L of area 5
        }
    }
    const BlockModel model = Build();
    ASSERT_EQ(model.leftOut.size(), (kCount + 3) / 7);
    for (std::size_t i = 0; i < model.leftOut.size(); ++i) {
        EXPECT_EQ(model.leftOut[i].number, 7 * i + 3);
    }
    ASSERT_EQ(model.buildingParts.size() + model.leftOut.size(), kCount);
    for (const BuildingPart& part : model.buildingParts) {
        const auto triangles = test::Triangles(model.buildings, part.firstIndex, part.indexCount);
        EXPECT_NEAR(test::EnclosedVolume(triangles), 5.0 * (1 + part.number % 5), 1e-3)
            << part.number;
    }
}

TEST_F(BlockBuildings, ChunksThatClaimMoreThanTheirBytesAreLeftOutWithoutReadingOn) {
    test::ByteWriter body;
    body.F32(0);
    body.F32(3);
    body.U32(0xFFFFFFFFu);  // vertex count far beyond the body
    body.F32(1);
    record.buildingPositions.push_back(sheet.Offset());
    sheet.Chunk(0x111001, "STRC", body.Data());
    record.buildingPositions.push_back(sheet.Offset() + 1000);  // past the end of the file
    const BlockModel model = Build();
    ASSERT_EQ(model.leftOut.size(), 2u);
    EXPECT_THAT(model.leftOut[0].reason, HasSubstr("claims more than its body holds"));
    EXPECT_THAT(model.leftOut[1].reason, HasSubstr("runs past the end of the file"));
    EXPECT_TRUE(model.buildings.positions.empty());
}

}  // namespace
}  // namespace vesk
