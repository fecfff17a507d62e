#include "export/DracoPrimitive.h"

#include "export/DracoCompression.h"
#include "export/GltfExtensions.h"

namespace vesk {
namespace {

using tinygltf::Value;

int TypeOf(const std::string& attribute) {
    if (attribute == "POSITION" || attribute == "NORMAL") {
        return TINYGLTF_TYPE_VEC3;
    }
    return attribute == "TEXCOORD_0" ? TINYGLTF_TYPE_VEC2 : TINYGLTF_TYPE_SCALAR;
}

}  // namespace

std::variant<tinygltf::Primitive, std::string> AddDracoPrimitive(
    tinygltf::Model& gltf, GltfBufferBuilder& buffer, const TriangleMesh& mesh,
    const std::vector<float>& featureIds, const std::string& featureIdName) {
    auto compressed = CompressWithDraco(mesh, featureIds, featureIdName);
    if (auto* fault = std::get_if<std::string>(&compressed)) {
        return std::move(*fault);
    }
    DracoMesh& draco = std::get<DracoMesh>(compressed);
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    Value::Object ids;
    for (const auto& [name, id] : draco.attributes) {
        std::vector<double> min;
        std::vector<double> max;
        if (name == "POSITION") {
            min = draco.positionMin;
            max = draco.positionMax;
        }
        const int componentType = name == featureIdName && draco.narrowFeatureIds
                                      ? TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT
                                      : TINYGLTF_COMPONENT_TYPE_FLOAT;
        primitive.attributes[name] =
            buffer.AddAccessor(-1, componentType, TypeOf(name), draco.vertexCount, min, max);
        ids[name] = Value(id);
    }
    primitive.indices = buffer.AddAccessor(-1, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                                           TINYGLTF_TYPE_SCALAR, draco.indexCount);
    const int view = buffer.AddBytes(std::move(draco.bytes));
    primitive.extensions["KHR_draco_mesh_compression"] =
        Value(Value::Object{{"bufferView", Value(view)}, {"attributes", Value(std::move(ids))}});
    UseExtension(gltf, "KHR_draco_mesh_compression", true);
    return primitive;
}

}  // namespace vesk
