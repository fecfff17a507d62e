#pragma once

#include <optional>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "export/GltfBinary.h"
#include "model/BlockModel.h"

namespace vesk {

// Where the terrain's PNG texture goes: into the binary buffer (.glb), or
// beside the file under its own name (.gltf).
struct GltfTexture {
    std::vector<unsigned char> png;
    std::optional<std::string> uri;  // none: embedded
};

// The block as a glTF 2.0 document with one tightly packed buffer: a node
// "buildings" (one mesh, a _FEATURE_ID_0 attribute naming each vertex's
// building, whose number and heights are in the mesh's extras) and a node
// "terrain", textured when a texture is given. The scene's extras hold the
// CRS (when the zone has one) and the block's origin. The model's meshes move
// into the binary, encoded only when it is written.
struct GltfDocument {
    tinygltf::Model gltf;  // without its buffer's bytes
    GltfBinary binary;     // those bytes
};

GltfDocument MakeGltfModel(BlockModel&& block, std::optional<GltfTexture> texture);

}  // namespace vesk
