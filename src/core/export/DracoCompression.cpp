#include "export/DracoCompression.h"

#include <draco/compression/decode.h>
#include <draco/compression/encode.h>
#include <draco/mesh/mesh.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace vesk {
namespace {

// Draco quantizes positions over the cube around the mesh: for a 400 m block
// 14 bits make steps of 400 m / 16383 = 2.4 cm, so no corner moves by more
// than 1.2 cm, below what a viewer shows. 16 bits cost a quarter more time
// in Draco's entropy coder (its symbol tables grow with the steps) for
// nothing seen.
constexpr int kPositionBits = 14;
// Normals on Draco's octahedral grid at 10 bits turn by well under a degree.
constexpr int kNormalBits = 10;
// A fifth of a texel of a 4096-pixel texture.
constexpr int kUvBits = 14;

// Draco's speed from 0 to 10: 5, its default, spent 53 % of a tiles run for
// files a few per cent smaller than this.
constexpr int kEncodingSpeed = 5;

static_assert(sizeof(Vec3) == 3 * sizeof(float) && sizeof(Vec2) == 2 * sizeof(float));

// An attribute of one float tuple per point, points and values in the same
// order; its unique id, which glTF refers to, or -1.
int AddAttribute(draco::Mesh& mesh, draco::GeometryAttribute::Type type, int components,
                 const void* values, std::size_t count,
                 draco::DataType dataType = draco::DT_FLOAT32,
                 std::size_t componentBytes = sizeof(float)) {
    draco::GeometryAttribute attribute;
    const auto stride = static_cast<std::int64_t>(componentBytes) * components;
    attribute.Init(type, nullptr, static_cast<std::uint8_t>(components), dataType, false, stride,
                   0);
    const int id = mesh.AddAttribute(attribute, true, static_cast<std::uint32_t>(count));
    if (id < 0) {
        return -1;
    }
    mesh.attribute(id)->buffer()->Write(0, values, count * static_cast<std::size_t>(stride));
    return static_cast<int>(mesh.attribute(id)->unique_id());
}

bool FitsUnsignedShort(const std::vector<float>& ids) {
    return std::all_of(ids.begin(), ids.end(), [](float id) {
        return id >= 0.0f && id <= 65535.0f && id == static_cast<float>(static_cast<int>(id));
    });
}

bool IndicesWithin(const TriangleMesh& mesh) {
    return mesh.indices.size() % 3 == 0 &&
           std::all_of(mesh.indices.begin(), mesh.indices.end(),
                       [&mesh](std::uint32_t i) { return i < mesh.positions.size(); });
}

// The mesh in Draco's terms; the ids of its attributes by glTF's names.
// (Draco's meshes cannot be moved.)
std::unique_ptr<draco::Mesh> ToDraco(const TriangleMesh& mesh, const std::vector<float>& featureIds,
                                     const std::string& featureIdName,
                                     std::map<std::string, int>& names) {
    auto made = std::make_unique<draco::Mesh>();
    draco::Mesh& out = *made;
    const std::size_t count = mesh.positions.size();
    out.set_num_points(static_cast<std::uint32_t>(count));
    out.SetNumFaces(mesh.TriangleCount());
    for (std::size_t f = 0; f < mesh.TriangleCount(); ++f) {
        const std::uint32_t* corner = &mesh.indices[3 * f];
        out.SetFace(draco::FaceIndex(static_cast<std::uint32_t>(f)),
                    {draco::PointIndex(corner[0]), draco::PointIndex(corner[1]),
                     draco::PointIndex(corner[2])});
    }
    using Type = draco::GeometryAttribute;
    names["POSITION"] = AddAttribute(out, Type::POSITION, 3, mesh.positions.data(), count);
    names["NORMAL"] = AddAttribute(out, Type::NORMAL, 3, mesh.normals.data(), count);
    if (!mesh.uvs.empty()) {
        names["TEXCOORD_0"] = AddAttribute(out, Type::TEX_COORD, 2, mesh.uvs.data(), count);
    }
    if (!featureIds.empty() && FitsUnsignedShort(featureIds)) {
        // Whole numbers are stored as such: Draco then codes their long runs
        // in a few bytes, where floats cost four a vertex.
        const std::vector<std::uint16_t> narrow(featureIds.begin(), featureIds.end());
        names[featureIdName] = AddAttribute(out, Type::GENERIC, 1, narrow.data(), count,
                                            draco::DT_UINT16, sizeof(std::uint16_t));
    } else if (!featureIds.empty()) {
        names[featureIdName] = AddAttribute(out, Type::GENERIC, 1, featureIds.data(), count);
    }
    return made;
}

std::variant<DracoMesh, std::string> Decoded(const draco::EncoderBuffer& encoded,
                                             DracoMesh result) {
    draco::DecoderBuffer buffer;
    buffer.Init(encoded.data(), encoded.size());
    draco::Decoder decoder;
    auto decoded = decoder.DecodeMeshFromBuffer(&buffer);
    if (!decoded.ok()) {
        return "its compressed data does not decode: " + decoded.status().error_msg_string();
    }
    const draco::Mesh& mesh = *decoded.value();
    const draco::PointAttribute* positions =
        mesh.GetAttributeByUniqueId(static_cast<std::uint32_t>(result.attributes.at("POSITION")));
    if (positions == nullptr) {
        return "its compressed data holds no positions";
    }
    result.vertexCount = mesh.num_points();
    result.indexCount = std::size_t{mesh.num_faces()} * 3;
    result.positionMin.assign(3, std::numeric_limits<double>::infinity());
    result.positionMax.assign(3, -std::numeric_limits<double>::infinity());
    for (draco::PointIndex p(0); p < mesh.num_points(); ++p) {
        float xyz[3];
        positions->GetMappedValue(p, xyz);
        for (int k = 0; k < 3; ++k) {
            result.positionMin[k] = std::min(result.positionMin[k], double{xyz[k]});
            result.positionMax[k] = std::max(result.positionMax[k], double{xyz[k]});
        }
    }
    return result;
}

}  // namespace

double DracoPositionError(double side) {
    return side / ((1 << kPositionBits) - 1) / 2.0;
}

std::variant<DracoMesh, std::string> CompressWithDraco(const TriangleMesh& mesh,
                                                       const std::vector<float>& featureIds,
                                                       const std::string& featureIdName) {
    if (mesh.positions.empty() || mesh.normals.size() != mesh.positions.size() ||
        (!mesh.uvs.empty() && mesh.uvs.size() != mesh.positions.size()) ||
        (!featureIds.empty() && featureIds.size() != mesh.positions.size()) ||
        mesh.positions.size() > std::numeric_limits<std::uint32_t>::max() || !IndicesWithin(mesh)) {
        return "its arrays do not fit together";
    }
    DracoMesh result;
    const auto input = ToDraco(mesh, featureIds, featureIdName, result.attributes);
    if (std::any_of(result.attributes.begin(), result.attributes.end(),
                    [](const auto& entry) { return entry.second < 0; })) {
        return "Draco could not hold its attributes";
    }
    draco::Encoder encoder;
    encoder.SetAttributeQuantization(draco::GeometryAttribute::POSITION, kPositionBits);
    encoder.SetAttributeQuantization(draco::GeometryAttribute::NORMAL, kNormalBits);
    encoder.SetAttributeQuantization(draco::GeometryAttribute::TEX_COORD, kUvBits);
    encoder.SetEncodingMethod(draco::MESH_EDGEBREAKER_ENCODING);
    encoder.SetSpeedOptions(kEncodingSpeed, kEncodingSpeed);
    draco::EncoderBuffer encoded;
    const draco::Status status = encoder.EncodeMeshToBuffer(*input, &encoded);
    if (!status.ok()) {
        return "Draco refused it: " + status.error_msg_string();
    }
    result.bytes.assign(encoded.data(), encoded.data() + encoded.size());
    result.narrowFeatureIds = !featureIds.empty() && FitsUnsignedShort(featureIds);
    return Decoded(encoded, std::move(result));
}

}  // namespace vesk
