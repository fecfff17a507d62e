// Draco-compressed meshes read back through Draco's own decoder.
#include "export/DracoCompression.h"

#include <draco/compression/decode.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

namespace vesk {
namespace {

using ::testing::HasSubstr;

constexpr int kColumns = 41;  // 10 m apart over a block's 400 m
constexpr int kRows = 31;
constexpr float kSpacing = 10.0f;

// A hilly grid in glTF's frame (y up), its feature id the row.
struct Grid {
    TriangleMesh mesh;
    std::vector<float> ids;
};

Grid MakeGrid() {
    Grid grid;
    for (int i = 0; i < kRows; ++i) {
        for (int j = 0; j < kColumns; ++j) {
            const auto x = static_cast<float>(j);
            const auto y = static_cast<float>(i);
            const float height = 120.0f + 15.0f * std::sin(0.3f * x) * std::cos(0.2f * y);
            grid.mesh.positions.push_back({x * kSpacing, height, -y * kSpacing});
            grid.mesh.normals.push_back({0.0f, 1.0f, 0.0f});
            grid.mesh.uvs.push_back({x / (kColumns - 1.0f), 1.0f - y / (kRows - 1.0f)});
            grid.ids.push_back(static_cast<float>(i));
        }
    }
    for (std::uint32_t i = 0; i + 1 < kRows; ++i) {
        for (std::uint32_t j = 0; j + 1 < kColumns; ++j) {
            const std::uint32_t a = i * kColumns + j;
            grid.mesh.indices.insert(grid.mesh.indices.end(), {a, a + 1, a + kColumns + 1, a,
                                                               a + kColumns + 1, a + kColumns});
        }
    }
    return grid;
}

std::unique_ptr<draco::Mesh> Decode(const std::vector<unsigned char>& bytes) {
    draco::DecoderBuffer buffer;
    buffer.Init(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    draco::Decoder decoder;
    auto decoded = decoder.DecodeMeshFromBuffer(&buffer);
    EXPECT_TRUE(decoded.ok()) << decoded.status().error_msg_string();
    return decoded.ok() ? std::move(decoded).value() : nullptr;
}

template <int N>
std::array<float, N> ValueOf(const draco::Mesh& mesh, int uniqueId, draco::PointIndex point) {
    const draco::PointAttribute* attribute =
        mesh.GetAttributeByUniqueId(static_cast<std::uint32_t>(uniqueId));
    std::array<float, N> value{};
    // Converted from whatever type Draco stores (16-bit integers for the ids).
    attribute->ConvertValue<float>(attribute->mapped_index(point), N, value.data());
    return value;
}

// The grid point a decoded position stands for.
std::uint32_t NearestGridPoint(const std::array<float, 3>& p) {
    const auto j = static_cast<std::uint32_t>(std::lround(p[0] / kSpacing));
    const auto i = static_cast<std::uint32_t>(std::lround(-p[2] / kSpacing));
    return i * kColumns + j;
}

TEST(DracoCompression, DecodesToTheSameTrianglesWithinTheQuantizationStepAndExactIds) {
    const Grid grid = MakeGrid();
    const auto compressed = CompressWithDraco(grid.mesh, grid.ids, "_FEATURE_ID_0");
    ASSERT_TRUE(std::holds_alternative<DracoMesh>(compressed)) << std::get<std::string>(compressed);
    const DracoMesh& draco = std::get<DracoMesh>(compressed);
    EXPECT_LT(draco.bytes.size(),
              grid.mesh.positions.size() * 12);  // less than the plain positions
    const auto decoded = Decode(draco.bytes);
    ASSERT_NE(decoded, nullptr);
    ASSERT_EQ(decoded->num_points(), grid.mesh.positions.size());
    ASSERT_EQ(decoded->num_faces(), grid.mesh.TriangleCount());
    EXPECT_EQ(draco.vertexCount, decoded->num_points());
    EXPECT_EQ(draco.indexCount, grid.mesh.indices.size());

    const float positionStep = 400.0f / 16383.0f;  // the largest side over 14 bits
    const float uvStep = 1.0f / 16383.0f;
    std::vector<double> min(3, 1e9);
    std::vector<double> max(3, -1e9);
    for (draco::PointIndex p(0); p < decoded->num_points(); ++p) {
        const auto position = ValueOf<3>(*decoded, draco.attributes.at("POSITION"), p);
        const std::uint32_t original = NearestGridPoint(position);
        ASSERT_LT(original, grid.mesh.positions.size());
        const Vec3& expected = grid.mesh.positions[original];
        EXPECT_NEAR(position[0], expected.x, positionStep);
        EXPECT_NEAR(position[1], expected.y, positionStep);
        EXPECT_NEAR(position[2], expected.z, positionStep);
        const auto uv = ValueOf<2>(*decoded, draco.attributes.at("TEXCOORD_0"), p);
        EXPECT_NEAR(uv[0], grid.mesh.uvs[original].u, uvStep);
        EXPECT_NEAR(uv[1], grid.mesh.uvs[original].v, uvStep);
        EXPECT_EQ(ValueOf<1>(*decoded, draco.attributes.at("_FEATURE_ID_0"), p)[0],
                  grid.ids[original]);
        for (int k = 0; k < 3; ++k) {
            min[k] = std::min(min[k], double{position[k]});
            max[k] = std::max(max[k], double{position[k]});
        }
    }
    EXPECT_EQ(draco.positionMin, min);
    EXPECT_EQ(draco.positionMax, max);
}

TEST(DracoCompression, KeepsEveryTriangleAndItsTurning) {
    const Grid grid = MakeGrid();
    const auto compressed = CompressWithDraco(grid.mesh, {}, "_FEATURE_ID_0");
    ASSERT_TRUE(std::holds_alternative<DracoMesh>(compressed));
    const DracoMesh& draco = std::get<DracoMesh>(compressed);
    EXPECT_EQ(draco.attributes.count("_FEATURE_ID_0"), 0u);
    const auto decoded = Decode(draco.bytes);
    ASSERT_NE(decoded, nullptr);
    // Each triangle as its corners' grid points, turned to start at the least.
    const auto canonical = [](std::array<std::uint32_t, 3> t) {
        std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
        return t;
    };
    std::set<std::array<std::uint32_t, 3>> expected;
    for (std::size_t t = 0; t < grid.mesh.TriangleCount(); ++t) {
        const std::uint32_t* c = &grid.mesh.indices[3 * t];
        expected.insert(canonical({c[0], c[1], c[2]}));
    }
    std::set<std::array<std::uint32_t, 3>> found;
    for (draco::FaceIndex f(0); f < decoded->num_faces(); ++f) {
        std::array<std::uint32_t, 3> corners{};
        for (int k = 0; k < 3; ++k) {
            corners[k] = NearestGridPoint(
                ValueOf<3>(*decoded, draco.attributes.at("POSITION"), decoded->face(f)[k]));
        }
        found.insert(canonical(corners));
    }
    EXPECT_EQ(found, expected);
}

TEST(DracoCompression, ArraysThatDoNotFitTogetherAreRefusedWithAReason) {
    Grid grid = MakeGrid();
    grid.mesh.indices.back() = static_cast<std::uint32_t>(grid.mesh.positions.size());
    const auto outside = CompressWithDraco(grid.mesh, grid.ids, "_FEATURE_ID_0");
    ASSERT_TRUE(std::holds_alternative<std::string>(outside));
    EXPECT_THAT(std::get<std::string>(outside), HasSubstr("do not fit"));

    grid = MakeGrid();
    grid.ids.pop_back();
    EXPECT_TRUE(std::holds_alternative<std::string>(
        CompressWithDraco(grid.mesh, grid.ids, "_FEATURE_ID_0")));
    EXPECT_TRUE(std::holds_alternative<std::string>(
        CompressWithDraco(TriangleMesh{}, {}, "_FEATURE_ID_0")));
}

}  // namespace
}  // namespace vesk
