#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "export/OutputFile.h"

namespace vesk {

// The document as one binary .glb file, its buffer as the binary chunk.
FileFault WriteGlbFile(const tinygltf::Model& gltf, const std::filesystem::path& path);

// Moves the document's buffer out, for a .bin file of its own.
std::vector<unsigned char> TakeBuffer(tinygltf::Model& gltf);

// The document as .gltf text whose buffer (byteLength bytes, taken out
// beforehand) is the file binName beside it.
FileFault WriteGltfFile(const tinygltf::Model& gltf, const std::filesystem::path& path,
                        const std::string& binName, std::size_t byteLength);

}  // namespace vesk
