#pragma once

#include <vector>

#include <tiny_gltf.h>

#include "export/GltfBufferBuilder.h"
#include "model/BlockModel.h"

namespace vesk {

// Lets a 3D Tiles client tell what building was clicked: the primitive's
// per-vertex _FEATURE_ID_0 (EXT_mesh_features) names a row of a property table
// of the block's buildings (EXT_structural_metadata on the document), whose
// columns are parts of the document's buffer.
void AddBuildingMetadata(tinygltf::Model& gltf, GltfBufferBuilder& buffer,
                         const std::vector<BuildingPart>& parts, tinygltf::Primitive& primitive);

}  // namespace vesk
