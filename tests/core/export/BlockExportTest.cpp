// The block's exports read back by others: glTF through tinygltf's loader
// (which decodes the PNG and JPEG with its own image reader) and its
// compressed meshes through Draco's decoder, OBJ and MTL as text.
#include "export/BlockExport.h"

#include <draco/compression/decode.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tiny_gltf.h>
#include <nlohmann/json.hpp>

#include <bit>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "CommaLocale.h"
#include "SgiTestFile.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "export/GltfCompression.h"
#include "model/BlockModel.h"
#include "model/ModelMessages.h"

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

    ExportReport Export(ExportFormat format, const std::filesystem::path& folder,
                        GltfCompression compression = {}) {
        MemoryByteSource source(sheet.Bytes());
        return ExportBlock(source, record, {format, {}, compression}, folder);
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

const unsigned char* ViewBytes(const tinygltf::Model& model, int viewIndex) {
    const tinygltf::BufferView& view = model.bufferViews.at(viewIndex);
    return model.buffers.at(view.buffer).data.data() + view.byteOffset;
}

std::uint32_t U32At(const unsigned char* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | std::uint32_t{at[3]} << 24;
}

// Row `row` of a column of the building table, decoded from its little-endian bytes.
double TableValue(const tinygltf::Model& model, const std::string& property, std::size_t row) {
    const tinygltf::Value& metadata = model.extensions.at("EXT_structural_metadata");
    const tinygltf::Value& column =
        metadata.Get("schema").Get("classes").Get("building").Get("properties").Get(property);
    const int view = metadata.Get("propertyTables")
                         .Get(0)
                         .Get("properties")
                         .Get(property)
                         .Get("values")
                         .Get<int>();
    EXPECT_EQ(model.bufferViews.at(view).byteOffset % 8, 0u) << property;
    const std::string type = column.Get("componentType").Get<std::string>();
    const unsigned char* at = ViewBytes(model, view);
    if (type == "FLOAT64") {
        const std::uint64_t bits = U32At(at + 8 * row) | std::uint64_t{U32At(at + 8 * row + 4)}
                                                             << 32;
        return std::bit_cast<double>(bits);
    }
    const std::uint32_t bits = U32At(at + 4 * row);
    return type == "UINT32" ? static_cast<double>(bits) : double{std::bit_cast<float>(bits)};
}

bool Lists(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// A compressed document as its JSON and its buffer's bytes, read here: tinygltf
// refuses accessors whose data an extension gives.
struct RawGltf {
    nlohmann::json json;
    std::string bin;
};

RawGltf ReadGlb(const std::filesystem::path& path) {
    const std::string glb = ReadText(path);
    const auto u32 = [&glb](std::size_t offset) {
        return U32At(reinterpret_cast<const unsigned char*>(glb.data() + offset));
    };
    const std::uint32_t jsonLength = u32(12);
    return {nlohmann::json::parse(glb.substr(20, jsonLength)),
            glb.substr(28 + jsonLength, u32(20 + jsonLength))};
}

const nlohmann::json& RawPrimitive(const RawGltf& gltf, const std::string& node) {
    for (const nlohmann::json& n : gltf.json.at("nodes")) {
        if (n.at("name") == node) {
            return gltf.json.at("meshes").at(n.at("mesh").get<int>()).at("primitives").at(0);
        }
    }
    throw std::runtime_error("no node " + node);
}

// The primitive's Draco data through Draco's own decoder.
std::unique_ptr<draco::Mesh> DecodeDraco(const RawGltf& gltf, const nlohmann::json& primitive) {
    const nlohmann::json& view = gltf.json.at("bufferViews")
                                     .at(primitive.at("extensions")
                                             .at("KHR_draco_mesh_compression")
                                             .at("bufferView")
                                             .get<int>());
    draco::DecoderBuffer buffer;
    buffer.Init(gltf.bin.data() + view.value("byteOffset", std::size_t{0}),
                view.at("byteLength").get<std::size_t>());
    draco::Decoder decoder;
    auto decoded = decoder.DecodeMeshFromBuffer(&buffer);
    EXPECT_TRUE(decoded.ok());
    return decoded.ok() ? std::move(decoded).value() : nullptr;
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

TEST_F(BlockExports, BuildingsAnswerAClickThroughTheirTableOfNumbersHeightsAndAreas) {
    record.buildingPositions.push_back(sheet.Offset());
    // Clockwise seen from above: its area counts all the same.
    sheet.Building(2, 8.5f, {{kX0 + 50, kY0 + 50}, {kX0 + 50, kY0 + 56}, {kX0 + 54, kY0 + 50}});
    ASSERT_TRUE(Export(ExportFormat::kGlb, dir.Path()).AllWritten());
    const tinygltf::Model model = Load(dir / (std::string(kName) + ".glb"));
    EXPECT_TRUE(Lists(model.extensionsUsed, "EXT_mesh_features"));
    EXPECT_TRUE(Lists(model.extensionsUsed, "EXT_structural_metadata"));
    EXPECT_TRUE(model.extensionsRequired.empty());
    const tinygltf::Value& ids =
        PrimitiveOf(model, "buildings").extensions.at("EXT_mesh_features").Get("featureIds").Get(0);
    EXPECT_EQ(ids.Get("featureCount").Get<int>(), 2);
    EXPECT_EQ(ids.Get("attribute").Get<int>(), 0);
    EXPECT_EQ(ids.Get("propertyTable").Get<int>(), 0);
    EXPECT_EQ(model.extensions.at("EXT_structural_metadata")
                  .Get("propertyTables")
                  .Get(0)
                  .Get("count")
                  .Get<int>(),
              2);
    for (const auto& [property, first, second] : {std::tuple{"number", 0.0, 1.0},
                                                  {"bottom", 5.0, 2.0},
                                                  {"roof", 15.0, 8.5},
                                                  {"height", 10.0, 6.5},
                                                  {"area", 100.0, 12.0}}) {
        EXPECT_EQ(TableValue(model, property, 0), first) << property;
        EXPECT_EQ(TableValue(model, property, 1), second) << property;
    }
    // The second building's vertices name row 1.
    const tinygltf::Primitive& buildings = PrimitiveOf(model, "buildings");
    const int idAccessor = buildings.attributes.at("_FEATURE_ID_0");
    const std::size_t last = model.accessors.at(idAccessor).count - 1;
    EXPECT_EQ(Element(model, idAccessor, last)[0], 1.0f);
}

TEST_F(BlockExports, GlbChunksEndOnEightByteBoundariesForTheTablesSixtyFourBitValues) {
    ASSERT_TRUE(Export(ExportFormat::kGlb, dir.Path()).AllWritten());
    const std::string glb = ReadText(dir / (std::string(kName) + ".glb"));
    const auto at = [&glb](std::size_t offset) {
        return U32At(reinterpret_cast<const unsigned char*>(glb.data() + offset));
    };
    const std::uint32_t jsonLength = at(12);
    EXPECT_EQ(jsonLength % 8, 0u);
    const std::uint32_t binLength = at(20 + jsonLength);
    EXPECT_EQ(binLength % 8, 0u);
    EXPECT_EQ(at(8), glb.size());
    EXPECT_EQ(20 + jsonLength + 8 + binLength, glb.size());
}

TEST_F(BlockExports, CompressedGlbDecodesWithDracoToTheModelsCountsBoundsAndIds) {
    const ExportReport report = Export(ExportFormat::kGlb, dir.Path(), {true, 60});
    ASSERT_TRUE(report.AllWritten());
    EXPECT_TRUE(report.diagnostics.empty());
    const RawGltf gltf = ReadGlb(dir / (std::string(kName) + ".glb"));
    EXPECT_EQ(gltf.json.at("extensionsRequired"), nlohmann::json({"KHR_draco_mesh_compression"}));
    EXPECT_EQ(gltf.json.at("buffers").at(0).at("byteLength"), gltf.bin.size());
    const nlohmann::json& buildings = RawPrimitive(gltf, "buildings");
    const auto decoded = DecodeDraco(gltf, buildings);
    ASSERT_NE(decoded, nullptr);
    const nlohmann::json& accessors = gltf.json.at("accessors");
    const nlohmann::json& positions =
        accessors.at(buildings.at("attributes").at("POSITION").get<int>());
    EXPECT_FALSE(positions.contains("bufferView"));
    EXPECT_EQ(positions.at("count"), decoded->num_points());
    EXPECT_EQ(accessors.at(buildings.at("indices").get<int>()).at("count"),
              decoded->num_faces() * 3);
    EXPECT_EQ(decoded->num_faces(), 12u);
    // Whole feature ids are declared as what Draco gives back: unsigned shorts.
    EXPECT_EQ(
        accessors.at(buildings.at("attributes").at("_FEATURE_ID_0").get<int>()).at("componentType"),
        TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT);
    // The bounds are the decoded ones: within a 14-bit step of the 40 m cube of the plain ones.
    const double plainMin[] = {10, 5, -40};
    const double plainMax[] = {20, 15, -30};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(positions.at("min").at(k).get<double>(), plainMin[k], 40.0 / 16383);
        EXPECT_NEAR(positions.at("max").at(k).get<double>(), plainMax[k], 40.0 / 16383);
    }
    const nlohmann::json& ids =
        buildings.at("extensions").at("KHR_draco_mesh_compression").at("attributes");
    const draco::PointAttribute* idAttribute =
        decoded->GetAttributeByUniqueId(ids.at("_FEATURE_ID_0").get<std::uint32_t>());
    ASSERT_NE(idAttribute, nullptr);
    for (draco::PointIndex p(0); p < decoded->num_points(); ++p) {
        float id = -1.0f;
        idAttribute->ConvertValue<float>(idAttribute->mapped_index(p), 1, &id);
        EXPECT_EQ(id, 0.0f);
    }
    EXPECT_EQ(buildings.at("extensions")
                  .at("EXT_mesh_features")
                  .at("featureIds")
                  .at(0)
                  .at("featureCount"),
              1);
    const auto terrain = DecodeDraco(gltf, RawPrimitive(gltf, "terrain"));
    ASSERT_NE(terrain, nullptr);
    EXPECT_EQ(terrain->num_faces(), 2u);
    EXPECT_EQ(gltf.json.at("images").at(0).at("mimeType"), "image/jpeg");
}

TEST_F(BlockExports, CompressedGltfWritesItsJpegBesideIt) {
    const ExportReport report = Export(ExportFormat::kGltf, dir.Path(), {true, 85});
    ASSERT_TRUE(report.AllWritten());
    const std::string name(kName);
    ASSERT_EQ(report.files.size(), 3u);
    EXPECT_EQ(report.files[0].path, dir / (name + ".jpg"));
    const nlohmann::json gltf = nlohmann::json::parse(ReadText(dir / (name + ".gltf")));
    EXPECT_EQ(gltf.at("images").at(0).at("uri"), name + ".jpg");
    EXPECT_THAT(ReadText(dir / (name + ".jpg")), StartsWith("\xFF\xD8\xFF"));
}

TEST_F(BlockExports, ObjStaysPlainWithAPngWhateverTheCompression) {
    ASSERT_TRUE(Export(ExportFormat::kObj, dir.Path(), {true, 85}).AllWritten());
    EXPECT_THAT(ReadText(dir / (std::string(kName) + ".png")), StartsWith("\x89PNG\r\n"));
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

// The program runs in its user's locale; what it writes and tells keeps the point.
TEST_F(BlockExports, NumbersKeepTheirPointUnderACommaLocale) {
    record.buildingPositions.push_back(sheet.Offset());
    sheet.Building(20, 15,
                   {{kX0 + 50.5f, kY0 + 30},
                    {kX0 + 60, kY0 + 30},
                    {kX0 + 60, kY0 + 40},
                    {kX0 + 50.5f, kY0 + 40}});
    const test::CommaLocale comma;
    if (!comma.Active()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    const ExportReport report = Export(ExportFormat::kObj, dir.Path());
    EXPECT_THAT(ReadText(dir / (std::string(kName) + ".obj")),
                HasSubstr("metres from the origin (-8000.000 -34800.000) of "));
    ASSERT_EQ(report.buildingsLeftOut.size(), 1u);
    EXPECT_THAT(model_messages::BuildingLeftOut(report.buildingsLeftOut[0]).English(),
                testing::ContainsRegex("at X,Y = -79[0-9][0-9]\\.[0-9],-347[0-9][0-9]\\.[0-9]: "
                                       "the roof is not above the bottom.*-5\\.0 m"));
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
    EXPECT_THAT(report.diagnostics, ElementsAre(testing::Property(&Diagnostic::English,
                                                                  HasSubstr("texture left out"))));
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

// The texture is decoded and encoded on a thread of its own while the meshes
// are built, themselves on several threads once a block has hundreds of
// buildings: the files hold what encoding the model's texture afterwards gives.
TEST_F(BlockExports, TextureEncodedBesideTheMeshesIsTheModelsTextureEncodedAfterThem) {
    for (int k = 0; k < 300; ++k) {
        const float x = kX0 + 20.0f + static_cast<float>(k % 20) * 15.0f;
        const float y = kY0 + 60.0f + static_cast<float>(k / 20) * 15.0f;
        record.buildingPositions.push_back(sheet.Offset());
        sheet.Building(0, 10, {{x, y}, {x + 10, y}, {x + 10, y + 10}, {x + 5, y + 4}, {x, y + 10}});
    }
    record.orthoPosition = sheet.Offset();
    sheet.Ortho(test::SgiFile(true, 300, 200, 3).With([](int x, int y, int c) {
        return static_cast<std::uint8_t>((x / 3 * 7 + y * 13 + c * 50) % 256);
    }));
    MemoryByteSource source(sheet.Bytes());
    const BlockModel model = BuildBlockModel(source, record, {});
    ASSERT_TRUE(model.texture.has_value());
    for (const GltfCompression compression : {GltfCompression{}, GltfCompression{true, 60}}) {
        std::vector<Diagnostic> diagnostics;
        const auto expected = EncodeTexture(*model.texture, compression, diagnostics);
        ASSERT_TRUE(expected.has_value());
        const ExportReport report = Export(ExportFormat::kGltf, dir.Path(), compression);
        ASSERT_TRUE(report.AllWritten());
        EXPECT_EQ(report.buildingsWritten, 300u + 1u);
        EXPECT_EQ(report.textureWidth, 300u);
        EXPECT_EQ(report.textureHeight, 200u);
        const std::string image = ReadText(dir / (kName + FileExtension(expected->format)));
        EXPECT_TRUE(std::vector<unsigned char>(image.begin(), image.end()) == expected->bytes);
    }
}

// The texture is laid on the terrain only: under a grid that cannot be read,
// a texture (damaged too) is neither written nor told of.
TEST_F(BlockExports, TextureOfABlockWithoutTerrainIsNeitherWrittenNorToldOf) {
    auto damaged = test::SgiFile(true, 2, 2, 3).With(kCorners);
    damaged.resize(damaged.size() - 2);
    record.orthoPosition = sheet.Offset();
    sheet.Ortho(damaged);
    record.demPosition = record.orthoPosition;  // no grid chunk there
    const ExportReport report = Export(ExportFormat::kGltf, dir.Path());
    ASSERT_TRUE(report.AllWritten());
    EXPECT_THAT(report.diagnostics,
                ElementsAre(testing::Property(&Diagnostic::English, HasSubstr("grid chunk"))));
    EXPECT_EQ(report.textureWidth, 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / (std::string(kName) + ".png")));
}

}  // namespace
}  // namespace vesk
