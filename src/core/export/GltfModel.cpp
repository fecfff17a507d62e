#include "export/GltfModel.h"

#include <algorithm>
#include <limits>
#include <variant>

#include "export/BuildingMetadata.h"
#include "export/DracoPrimitive.h"
#include "export/ExportMessages.h"
#include "export/GltfBufferBuilder.h"
#include "export/SceneFrame.h"
#include "sheet/LittleEndian.h"

namespace vesk {
namespace {

using tinygltf::Value;

constexpr double kBuildingColour[] = {0.82, 0.82, 0.80, 1.0};
constexpr double kBareGroundColour[] = {0.62, 0.66, 0.52, 1.0};
constexpr const char* kFeatureIdAttribute = "_FEATURE_ID_0";

void PutVec3(const Vec3& local, std::byte* out) {
    const Vec3 v = ToYUp(local);
    EncodeF32(out, v.x);
    EncodeF32(out + 4, v.y);
    EncodeF32(out + 8, v.z);
}

// glTF's texture coordinates start at the image's top row, the model's at its bottom.
void PutUv(const Vec2& uv, std::byte* out) {
    EncodeF32(out, uv.u);
    EncodeF32(out + 4, 1.0f - uv.v);
}

// The exact bounds of the positions as written, which validators compare.
void PositionBounds(const std::vector<Vec3>& positions, std::vector<double>& min,
                    std::vector<double>& max) {
    min.assign(3, std::numeric_limits<double>::infinity());
    max.assign(3, -std::numeric_limits<double>::infinity());
    for (const Vec3& local : positions) {
        const Vec3 v = ToYUp(local);
        const float xyz[] = {v.x, v.y, v.z};
        for (int k = 0; k < 3; ++k) {
            min[k] = std::min(min[k], double{xyz[k]});
            max[k] = std::max(max[k], double{xyz[k]});
        }
    }
}

// Positions, normals (and texture coordinates when present), and triangles of
// one mesh; the mesh's arrays go to the binary.
tinygltf::Primitive AddMesh(GltfBufferBuilder& buffer, TriangleMesh&& mesh) {
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    std::vector<double> min;
    std::vector<double> max;
    PositionBounds(mesh.positions, min, max);
    const std::size_t count = mesh.positions.size();
    const int positions =
        buffer.AddElements(std::move(mesh.positions), 12, TINYGLTF_TARGET_ARRAY_BUFFER, PutVec3);
    primitive.attributes["POSITION"] = buffer.AddAccessor(positions, TINYGLTF_COMPONENT_TYPE_FLOAT,
                                                          TINYGLTF_TYPE_VEC3, count, min, max);
    const int normals =
        buffer.AddElements(std::move(mesh.normals), 12, TINYGLTF_TARGET_ARRAY_BUFFER, PutVec3);
    primitive.attributes["NORMAL"] =
        buffer.AddAccessor(normals, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count);
    if (!mesh.uvs.empty()) {
        const int uvs =
            buffer.AddElements(std::move(mesh.uvs), 8, TINYGLTF_TARGET_ARRAY_BUFFER, PutUv);
        primitive.attributes["TEXCOORD_0"] =
            buffer.AddAccessor(uvs, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, count);
    }
    const std::size_t indexCount = mesh.indices.size();
    const int indices = buffer.AddIndices(std::move(mesh.indices));
    primitive.indices = buffer.AddAccessor(indices, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                                           TINYGLTF_TYPE_SCALAR, indexCount);
    return primitive;
}

// Each vertex's building, by its row in the table of buildings.
std::vector<float> FeatureIds(const std::vector<BuildingPart>& parts) {
    std::vector<float> ids;
    for (std::size_t feature = 0; feature < parts.size(); ++feature) {
        ids.insert(ids.end(), parts[feature].vertexCount, static_cast<float>(feature));
    }
    return ids;
}

void AddFeatureIds(GltfBufferBuilder& buffer, std::vector<float>&& ids,
                   tinygltf::Primitive& primitive) {
    const std::size_t count = ids.size();
    const int view = buffer.AddElements(std::move(ids), 4, TINYGLTF_TARGET_ARRAY_BUFFER,
                                        [](float id, std::byte* out) { EncodeF32(out, id); });
    primitive.attributes[kFeatureIdAttribute] =
        buffer.AddAccessor(view, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_SCALAR, count);
}

// The mesh turned into glTF's frame, as PutVec3 and PutUv write it.
TriangleMesh InGltfFrame(TriangleMesh&& mesh) {
    for (Vec3& position : mesh.positions) {
        position = ToYUp(position);
    }
    for (Vec3& normal : mesh.normals) {
        normal = ToYUp(normal);
    }
    for (Vec2& uv : mesh.uvs) {
        uv.v = 1.0f - uv.v;
    }
    return std::move(mesh);
}

// The mesh as the document stores it: plain, its arrays move into the binary;
// compressed, Draco's bytes do. A reason when it cannot be compressed.
std::variant<tinygltf::Primitive, std::string> AddPrimitive(tinygltf::Model& gltf,
                                                            GltfBufferBuilder& buffer,
                                                            TriangleMesh&& mesh,
                                                            std::vector<float>&& featureIds,
                                                            bool compressed) {
    if (compressed) {
        return AddDracoPrimitive(gltf, buffer, InGltfFrame(std::move(mesh)), featureIds,
                                 kFeatureIdAttribute);
    }
    tinygltf::Primitive primitive = AddMesh(buffer, std::move(mesh));
    if (!featureIds.empty()) {
        AddFeatureIds(buffer, std::move(featureIds), primitive);
    }
    return primitive;
}

// The table kept in the mesh's extras too: tools without the metadata
// extension (Blender's custom properties, three.js's userData) read these.
Value BuildingTable(const std::vector<BuildingPart>& parts) {
    Value::Array numbers;
    Value::Array bottoms;
    Value::Array roofs;
    for (const BuildingPart& part : parts) {
        numbers.emplace_back(static_cast<int>(part.number));
        bottoms.emplace_back(static_cast<double>(part.bottom));
        roofs.emplace_back(static_cast<double>(part.roof));
    }
    Value::Object table;
    table["featureIdAttribute"] = Value(std::string(kFeatureIdAttribute));
    table["number"] = Value(std::move(numbers));
    table["bottom"] = Value(std::move(bottoms));
    table["roof"] = Value(std::move(roofs));
    return Value(std::move(table));
}

int AddMaterial(tinygltf::Model& gltf, const char* name, const double (&colour)[4], int texture) {
    tinygltf::Material material;
    material.name = name;
    material.pbrMetallicRoughness.baseColorFactor.assign(colour, colour + 4);
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 0.9;
    material.pbrMetallicRoughness.baseColorTexture.index = texture;
    gltf.materials.push_back(material);
    return static_cast<int>(gltf.materials.size() - 1);
}

int AddTexture(tinygltf::Model& gltf, GltfBufferBuilder& buffer, GltfTexture&& texture) {
    tinygltf::Image image;
    image.mimeType = MimeType(texture.image.format);
    if (texture.uri) {
        image.uri = *texture.uri;
    } else {
        image.bufferView = buffer.AddBytes(std::move(texture.image.bytes));
    }
    gltf.images.push_back(image);
    tinygltf::Sampler sampler;
    sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
    sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
    sampler.wrapS = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    sampler.wrapT = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    gltf.samplers.push_back(sampler);
    tinygltf::Texture gltfTexture;
    gltfTexture.source = 0;
    gltfTexture.sampler = 0;
    gltf.textures.push_back(gltfTexture);
    return 0;
}

void AddNode(tinygltf::Model& gltf, const char* name, tinygltf::Primitive primitive,
             Value extras = {}) {
    tinygltf::Mesh mesh;
    mesh.name = name;
    mesh.primitives.push_back(std::move(primitive));
    mesh.extras = std::move(extras);
    gltf.meshes.push_back(std::move(mesh));
    tinygltf::Node node;
    node.name = name;
    node.mesh = static_cast<int>(gltf.meshes.size() - 1);
    gltf.nodes.push_back(node);
    gltf.scenes[0].nodes.push_back(static_cast<int>(gltf.nodes.size() - 1));
}

Value SceneExtras(const BlockModel& block) {
    Value::Object extras;
    if (const auto crs = BlockCrs(block.zone)) {
        extras["crs"] = Value(*crs);
    }
    extras["origin"] = Value(Value::Array{Value(block.originX), Value(block.originY), Value(0.0)});
    return Value(std::move(extras));
}

void AddBuildings(GltfDocument& document, GltfBufferBuilder& buffer, BlockModel& block,
                  bool compressed) {
    tinygltf::Model& gltf = document.gltf;
    auto made = AddPrimitive(gltf, buffer, std::move(block.buildings),
                             FeatureIds(block.buildingParts), compressed);
    if (const auto* fault = std::get_if<std::string>(&made)) {
        document.diagnostics.push_back(
            MakeDiagnostic(export_messages::kBuildingsMeshLeftOut, {*fault}));
        return;
    }
    auto& primitive = std::get<tinygltf::Primitive>(made);
    AddBuildingMetadata(gltf, buffer, block.buildingParts, primitive);
    primitive.material = AddMaterial(gltf, "buildings", kBuildingColour, -1);
    // The mesh's extras repeat the table for tools that read neither metadata
    // extension (Blender, three.js); compressed files are for 3D globes, which
    // read the table, and are kept small.
    AddNode(gltf, "buildings", std::move(primitive),
            compressed ? Value() : BuildingTable(block.buildingParts));
}

void AddTerrain(GltfDocument& document, GltfBufferBuilder& buffer, TerrainModel&& terrain,
                std::optional<GltfTexture> texture, bool compressed) {
    tinygltf::Model& gltf = document.gltf;
    if (!texture) {
        terrain.mesh.uvs.clear();  // nothing to map them to
    }
    auto made = AddPrimitive(gltf, buffer, std::move(terrain.mesh), {}, compressed);
    if (const auto* fault = std::get_if<std::string>(&made)) {
        document.diagnostics.push_back(
            MakeDiagnostic(export_messages::kTerrainMeshLeftOut, {*fault}));
        return;
    }
    auto& primitive = std::get<tinygltf::Primitive>(made);
    const bool textured = texture.has_value();
    const int textureIndex = textured ? AddTexture(gltf, buffer, std::move(*texture)) : -1;
    static constexpr double kWhite[] = {1.0, 1.0, 1.0, 1.0};
    primitive.material =
        AddMaterial(gltf, "terrain", textured ? kWhite : kBareGroundColour, textureIndex);
    AddNode(gltf, "terrain", std::move(primitive));
}

}  // namespace

GltfDocument MakeGltfModel(BlockModel&& block, std::optional<GltfTexture> texture,
                           const GltfCompression& compression) {
    GltfDocument document;
    tinygltf::Model& gltf = document.gltf;
    gltf.asset.version = "2.0";
    gltf.asset.generator = GeneratorName();
    gltf.scenes.emplace_back();
    gltf.scenes[0].extras = SceneExtras(block);
    gltf.defaultScene = 0;
    GltfBufferBuilder buffer(gltf, document.binary);
    if (block.buildings.TriangleCount() > 0) {
        AddBuildings(document, buffer, block, compression.enabled);
    }
    if (block.terrain) {
        AddTerrain(document, buffer, std::move(*block.terrain), std::move(texture),
                   compression.enabled);
    }
    return document;
}

}  // namespace vesk
