#pragma once

namespace vesk {

// The file formats of a block's 3D export: glTF binary, glTF with its files
// beside it, or OBJ.
enum class ExportFormat { kGlb, kGltf, kObj };

}  // namespace vesk
