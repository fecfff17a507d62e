#pragma once

#include <string>
#include <variant>
#include <vector>

#include <tiny_gltf.h>

#include "export/GltfBufferBuilder.h"
#include "model/BlockModel.h"

namespace vesk {

// The mesh (in glTF's frame already) as a primitive compressed with Draco: the
// compressed bytes are a view of the buffer that KHR_draco_mesh_compression
// names, and the accessors, without views, describe what a decoder gives back.
// The feature ids, when given, become the attribute `featureIdName`. A reason
// when the mesh cannot be compressed; the document is then left as it was.
std::variant<tinygltf::Primitive, std::string> AddDracoPrimitive(
    tinygltf::Model& gltf, GltfBufferBuilder& buffer, const TriangleMesh& mesh,
    const std::vector<float>& featureIds, const std::string& featureIdName);

}  // namespace vesk
