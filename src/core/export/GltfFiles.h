#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "export/GltfModel.h"
#include "export/OutputFile.h"

namespace vesk {

// The document and its buffer as one binary .glb file.
WriteFailureText WriteGlbFile(const GltfDocument& document, const std::filesystem::path& path);

// The document's buffer alone, the .bin beside a .gltf file.
WriteFailureText WriteBinFile(const GltfBinary& binary, const std::filesystem::path& path);

// The document as .gltf text whose buffer is the file binName beside it.
WriteFailureText WriteGltfFile(const GltfDocument& document, const std::filesystem::path& path,
                               const std::string& binName);

}  // namespace vesk
