#pragma once

#include <optional>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "export/EncodedImage.h"
#include "export/GltfBinary.h"
#include "export/GltfCompression.h"
#include "model/BlockModel.h"

namespace vesk {

// The terrain's texture, PNG or JPEG: in the binary buffer (.glb), or beside
// the file under its own name (.gltf).
struct GltfTexture {
    EncodedImage image;
    std::optional<std::string> uri;  // none: embedded
};

// The block as a glTF 2.0 document with one tightly packed buffer: a node
// "buildings" (one mesh, a _FEATURE_ID_0 attribute naming each vertex's
// building in a property table of the buildings, also in the mesh's extras
// for tools that do not read the table) and a node "terrain", textured when a
// texture is given. The scene's extras hold the CRS (when the zone has one)
// and the block's origin. Plain, the model's meshes move into the binary,
// encoded only when it is written; compressed, they are Draco-compressed here.
struct GltfDocument {
    tinygltf::Model gltf;                 // without its buffer's bytes
    GltfBinary binary;                    // those bytes
    std::vector<Diagnostic> diagnostics;  // the meshes left out, and why
};

GltfDocument MakeGltfModel(BlockModel&& block, std::optional<GltfTexture> texture,
                           const GltfCompression& compression = {});

}  // namespace vesk
