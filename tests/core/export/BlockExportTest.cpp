// The block's exports read back by others: glTF through tinygltf's loader
// (which decodes the PNG with its own image reader), OBJ and MTL as text.
#include "export/BlockExport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "SgiTestFile.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr float kX0 = -8000.0f;
constexpr float kY0 = -34800.0f;
constexpr const char* kName = "09M0080M034800040003";

// Red at the south-west pixel, blue at the north-west one.
const test::Samples kCorners = [](int x, int y, int c) {
    const int colour = y == 0 ? (x == 0 ? 0 : 1) : (x == 0 ? 2 : 1);
    return static_cast<std::uint8_t>(c == colour ? 255 : 0);
};

class BlockExports : public ::testing::Test {
protected:
    BlockExports() {
        record.zone = 9;
        record.originX = kX0;
        record.originY = kY0;
        record.width = 400;
        record.height = 300;
        record.buildingPositions.push_back(sheet.Offset());
        sheet.Building(5, 15,
                       {{kX0 + 10, kY0 + 30},
                        {kX0 + 20, kY0 + 30},
                        {kX0 + 20, kY0 + 40},
                        {kX0 + 10, kY0 + 40}});
        record.hasDem = 1;
        record.demPosition = sheet.Offset();
        sheet.Dem(2, 2, 400, 300, {1, 2, 3, 4});
        record.hasOrtho = 1;
        record.orthoPosition = sheet.Offset();
        sheet.Ortho(test::SgiFile(false, 2, 2, 3).With(kCorners));
    }

    ExportReport Export(ExportFormat format, const std::filesystem::path& folder) {
        MemoryByteSource source(sheet.Bytes());
        return ExportBlock(source, record, {format, {}}, folder);
    }

    test::SheetBuilder sheet;
    SubSheetRecord record;
    test::TempDir dir;
};

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

tinygltf::Model Load(const std::filesystem::path& path) {
    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string error;
    std::string warning;
    const bool loaded = path.extension() == ".glb"
                            ? loader.LoadBinaryFromFile(&model, &error, &warning, path.string())
                            : loader.LoadASCIIFromFile(&model, &error, &warning, path.string());
    EXPECT_TRUE(loaded) << error;
    EXPECT_EQ(warning, "");
    return model;
}

const tinygltf::Primitive& PrimitiveOf(const tinygltf::Model& model, const std::string& node) {
    for (const tinygltf::Node& n : model.nodes) {
        if (n.name == node) {
            return model.meshes.at(n.mesh).primitives.at(0);
        }
    }
    throw std::runtime_error("no node " + node);
}

// Element i of a float accessor, read from the buffer's little-endian bytes.
std::vector<float> Element(const tinygltf::Model& model, int accessorIndex, std::size_t i) {
    const tinygltf::Accessor& accessor = model.accessors.at(accessorIndex);
    const tinygltf::BufferView& view = model.bufferViews.at(accessor.bufferView);
    const int width = tinygltf::GetNumComponentsInType(accessor.type);
    const unsigned char* at = model.buffers.at(view.buffer).data.data() + view.byteOffset +
                              accessor.byteOffset + i * 4 * width;
    std::vector<float> values(width);
    for (int k = 0; k < width; ++k) {
        const std::uint32_t bits = at[4 * k] | at[4 * k + 1] << 8 | at[4 * k + 2] << 16 |
                                   std::uint32_t{at[4 * k + 3]} << 24;
        std::memcpy(&values[k], &bits, 4);
    }
    return values;
}

TEST_F(BlockExports, GlbHoldsTheBlockInItsLocalYUpFrameWithItsCrsAndTexture) {
    const ExportReport report = Export(ExportFormat::kGlb, dir.Path());
    ASSERT_TRUE(report.AllWritten());
    EXPECT_EQ(report.buildingsWritten, 1u);
    EXPECT_EQ(report.triangles, 12u + 2u);
    const tinygltf::Model model = Load(dir / (std::string(kName) + ".glb"));
    EXPECT_THAT(model.asset.generator, StartsWith("Vesk "));
    const tinygltf::Value& extras = model.scenes.at(0).extras;
    EXPECT_EQ(extras.Get("crs").Get<std::string>(), "EPSG:2451");
    EXPECT_EQ(extras.Get("origin").Get(0).GetNumberAsDouble(), kX0);
    EXPECT_EQ(extras.Get("origin").Get(1).GetNumberAsDouble(), kY0);

    // x = easting - x0, y = height, z = -(northing - y0).
    const tinygltf::Primitive& buildings = PrimitiveOf(model, "buildings");
    const tinygltf::Accessor& roofs = model.accessors.at(buildings.attributes.at("POSITION"));
    EXPECT_THAT(roofs.minValues, ElementsAre(10, 5, -40));
    EXPECT_THAT(roofs.maxValues, ElementsAre(20, 15, -30));
    EXPECT_EQ(model.meshes.at(0).extras.Get("roof").Get(0).GetNumberAsDouble(), 15.0);
    EXPECT_EQ(Element(model, buildings.attributes.at("_FEATURE_ID_0"), 0)[0], 0.0f);

    // The south-west grid point takes the south-west pixel: the image's bottom row.
    const tinygltf::Primitive& terrain = PrimitiveOf(model, "terrain");
    EXPECT_THAT(Element(model, terrain.attributes.at("POSITION"), 0), ElementsAre(0, 1, 0));
    EXPECT_THAT(Element(model, terrain.attributes.at("TEXCOORD_0"), 0), ElementsAre(0, 1));
    const tinygltf::Image& image = model.images.at(0);
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    const int components = image.component;
    EXPECT_THAT(std::vector<int>(image.image.begin() + components * 2,
                                 image.image.begin() + components * 2 + 3),
                ElementsAre(255, 0, 0));  // row 1 from the top, column 0: red
    EXPECT_THAT(std::vector<int>(image.image.begin(), image.image.begin() + 3),
                ElementsAre(0, 0, 255));
}

TEST_F(BlockExports, GltfRefersToItsBinAndPngBesideIt) {
    const ExportReport report = Export(ExportFormat::kGltf, dir.Path());
    ASSERT_TRUE(report.AllWritten());
    ASSERT_EQ(report.files.size(), 3u);
    const std::string name(kName);
    const tinygltf::Model model = Load(dir / (name + ".gltf"));
    ASSERT_EQ(model.buffers.size(), 1u);
    EXPECT_EQ(model.buffers[0].uri, name + ".bin");
    EXPECT_EQ(model.buffers[0].data.size(), std::filesystem::file_size(dir / (name + ".bin")));
    EXPECT_EQ(model.images.at(0).uri, name + ".png");
    EXPECT_EQ(model.images.at(0).width, 2);
}

TEST_F(BlockExports, ObjHoldsTheSameGeometryWithAGroupPerBuildingAndTheTextureInItsMaterial) {
    ASSERT_TRUE(Export(ExportFormat::kObj, dir.Path()).AllWritten());
    const std::string name(kName);
    std::istringstream obj(ReadText(dir / (name + ".obj")));
    std::map<std::string, int> counts;
    std::vector<std::string> lines;
    for (std::string line; std::getline(obj, line);) {
        ++counts[line.substr(0, line.find(' '))];
        lines.push_back(line);
    }
    EXPECT_EQ(counts["f"], 12 + 2);
    EXPECT_EQ(counts["vt"], 4);
    EXPECT_EQ(counts["v"], counts["vn"]);
    EXPECT_THAT(lines, testing::Contains("g building000000"));
    EXPECT_THAT(lines, testing::Contains("v 20 15 -40"));  // a roof corner, Y up
    EXPECT_THAT(lines, testing::Contains("mtllib " + name + ".mtl"));
    EXPECT_THAT(ReadText(dir / (name + ".mtl")), HasSubstr("map_Kd " + name + ".png"));
    EXPECT_THAT(ReadText(dir / (name + ".png")), StartsWith("\x89PNG\r\n"));
}

TEST_F(BlockExports, ZoneWithoutGeoreferenceGivesLocalCoordinatesOnly) {
    record.zone = 0;
    const ExportReport report = Export(ExportFormat::kGlb, dir.Path());
    EXPECT_FALSE(report.crs.has_value());
    const tinygltf::Model model = Load(dir / ("00M0080M034800040003.glb"));
    EXPECT_FALSE(model.scenes.at(0).extras.Has("crs"));
    EXPECT_TRUE(model.scenes.at(0).extras.Has("origin"));
}

TEST_F(BlockExports, DamagedTextureIsLeftOutWithItsReasonAndTheTerrainKept) {
    auto damaged = test::SgiFile(true, 2, 2, 3).With(kCorners);
    damaged.resize(damaged.size() - 2);  // the last row's runs are cut
    record.orthoPosition = sheet.Offset();
    sheet.Ortho(damaged);
    const ExportReport report = Export(ExportFormat::kGlb, dir.Path());
    ASSERT_TRUE(report.AllWritten());
    EXPECT_THAT(report.messages, ElementsAre(HasSubstr("texture left out")));
    EXPECT_EQ(report.textureWidth, 0u);
    const tinygltf::Model model = Load(dir / (std::string(kName) + ".glb"));
    EXPECT_TRUE(model.images.empty());
    EXPECT_EQ(PrimitiveOf(model, "terrain").attributes.count("TEXCOORD_0"), 0u);
}

TEST_F(BlockExports, EachFileThatCannotBeWrittenIsNamedWithItsReason) {
    const ExportReport report = Export(ExportFormat::kGltf, dir / "missing");
    EXPECT_FALSE(report.AllWritten());
    ASSERT_EQ(report.files.size(), 3u);
    for (const ExportedFile& file : report.files) {
        EXPECT_THAT(file.fault, HasSubstr("cannot be created")) << file.path;
    }
}

}  // namespace
}  // namespace vesk
