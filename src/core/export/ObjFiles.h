#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "export/OutputFile.h"
#include "model/BlockModel.h"

namespace vesk {

// The block as Wavefront OBJ in the same frame as the glTF export (metres from
// the block's origin, Y up): an object "buildings" with a group per building,
// and an object "terrain" with the texture's coordinates when textureName is
// given. Materials come from mtlName beside it.
WriteFailureText WriteObjFile(const BlockModel& block, const std::filesystem::path& path,
                              const std::string& mtlName, bool textured);

// The material library: a light neutral colour for the buildings, the texture
// file (when given) for the terrain.
WriteFailureText WriteMtlFile(const std::filesystem::path& path,
                              const std::optional<std::string>& textureName);

}  // namespace vesk
