#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "export/OutputFile.h"

namespace vesk {

// Moves the document's buffer out, to be written by one of the functions below.
std::vector<unsigned char> TakeBuffer(tinygltf::Model& gltf);

// The document and its buffer (taken out beforehand) as one binary .glb file.
FileFault WriteGlbFile(const tinygltf::Model& gltf, const std::vector<unsigned char>& buffer,
                       const std::filesystem::path& path);

// The document as .gltf text whose buffer (byteLength bytes, taken out
// beforehand) is the file binName beside it.
FileFault WriteGltfFile(const tinygltf::Model& gltf, const std::filesystem::path& path,
                        const std::string& binName, std::size_t byteLength);

}  // namespace vesk
