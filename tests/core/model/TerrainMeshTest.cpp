// The terrain of the block model: the grid's triangles, positions and texture
// coordinates against the grid itself, and grids that cannot be a mesh.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "MeshFacts.h"
#include "SheetBuilder.h"
#include "model/BlockModel.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class BlockTerrain : public ::testing::Test {
protected:
    void AddDem(std::uint32_t columns, std::uint32_t rows, float dx, float dy,
                const std::vector<float>& heights) {
        record.hasDem = 1;
        record.demPosition = sheet.Offset();
        sheet.Dem(columns, rows, dx, dy, heights);
    }

    BlockModel Build() {
        MemoryByteSource source(sheet.Bytes());
        return BuildBlockModel(source, record, {false, true, false});
    }

    test::SheetBuilder sheet;
    SubSheetRecord record;
};

TEST_F(BlockTerrain, GridGivesTwoTrianglesPerCellFacingUpWithTheTextureCoordinatesOfItsPoints) {
    constexpr std::uint32_t nx = 4;
    constexpr std::uint32_t ny = 3;
    AddDem(nx, ny, 10, 5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const BlockModel model = Build();
    ASSERT_TRUE(model.terrain.has_value());
    const TriangleMesh& mesh = model.terrain->mesh;
    const auto triangles = test::Triangles(mesh);
    EXPECT_EQ(triangles.size(), (nx - 1) * (ny - 1) * 2);
    double coveredPlan = 0.0;  // area seen from above
    for (const test::Triangle& t : triangles) {
        const auto n = test::GeometricNormal(t);
        EXPECT_GT(n[2], 0.0);
        coveredPlan += test::Area(t) * n[2];
    }
    EXPECT_NEAR(coveredPlan, 30.0 * 10.0, 1e-9);
    ASSERT_EQ(mesh.uvs.size(), nx * ny);
    for (std::uint32_t i = 0; i < ny; ++i) {
        for (std::uint32_t j = 0; j < nx; ++j) {
            const std::size_t v = i * nx + j;
            const auto x = static_cast<float>(j);
            const auto y = static_cast<float>(i);
            EXPECT_FLOAT_EQ(mesh.uvs[v].u, x / 3.0f);  // TCOORD(j / (nx - 1), i / (ny - 1))
            EXPECT_FLOAT_EQ(mesh.uvs[v].v, y / 2.0f);
            EXPECT_FLOAT_EQ(mesh.positions[v].x, 10.0f * x);
            EXPECT_FLOAT_EQ(mesh.positions[v].y, 5.0f * y);
            EXPECT_FLOAT_EQ(mesh.positions[v].z, static_cast<float>(v + 1));
        }
    }
}

TEST_F(BlockTerrain, NormalsOfAPlaneAreItsSlope) {
    std::vector<float> heights;
    for (float i = 0; i < 3; ++i) {
        for (float j = 0; j < 3; ++j) {
            heights.push_back(0.5f * (2.0f * j) + 0.25f * (4.0f * i));  // h = 0.5 x + 0.25 y
        }
    }
    AddDem(3, 3, 2, 4, heights);
    const BlockModel model = Build();
    ASSERT_TRUE(model.terrain.has_value());
    const double length = std::sqrt(0.25 + 0.0625 + 1.0);
    for (const Vec3& n : model.terrain->mesh.normals) {
        EXPECT_NEAR(n.x, -0.5 / length, 1e-6);
        EXPECT_NEAR(n.y, -0.25 / length, 1e-6);
        EXPECT_NEAR(n.z, 1.0 / length, 1e-6);
    }
}

TEST_F(BlockTerrain, GridsThatCannotBeAMeshAreLeftOutWithAMessage) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::function<void()>> grids = {
        [&] {
            AddDem(5, 1, 1, 1, {0, 0, 0, 0, 0});
        },
        [&] {
            AddDem(0, 0xFFFFFFFF, 1, 1, {});  // no points, which any body holds
        },
        [&] {
            AddDem(2, 2, 0, 1, {0, 0, 0, 0});
        },
        [&] {
            AddDem(2, 2, 1, 1, {0, nan, 0, 0});
        },
        [&] {
            AddDem(3, 2, 3e38f, 1, {0, 0, 0, 0, 0, 0});  // 6e38 m is no float
        },
        [&] {
            record.hasDem = 1;
            record.demPosition = sheet.Offset();
            test::ByteWriter body;
            body.U32(0x10000);  // 65536 x 65536 points claimed, none there
            body.U32(0x10000);
            body.F32(1);
            body.F32(1);
            sheet.Chunk(0x112001, "DEMF", body.Data());
        },
    };
    std::vector<std::string> messages;
    for (const auto& addGrid : grids) {
        sheet = test::SheetBuilder();
        addGrid();
        const BlockModel model = Build();
        EXPECT_FALSE(model.terrain.has_value());
        ASSERT_EQ(model.diagnostics.size(), 1u);
        messages.push_back(model.diagnostics[0].English());
    }
    EXPECT_THAT(messages,
                ElementsAre(HasSubstr("fewer than two rows"), HasSubstr("fewer than two rows"),
                            HasSubstr("spacing"), HasSubstr("height is not a finite"),
                            HasSubstr("too far"), HasSubstr("truncated")));
}

}  // namespace
}  // namespace vesk
