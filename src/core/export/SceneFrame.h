#pragma once

#include <optional>
#include <string>

#include "model/BlockModel.h"

namespace vesk {

// The exports' frame: metres from the block's origin with Y up, as glTF
// defines it and OBJ tools expect: x = east, y = height, z = south.
inline Vec3 ToYUp(const Vec3& local) {
    return {local.x, local.z, 0.0f - local.y};
}

// "EPSG:2451" for a block of zone 9; nothing for a zone without georeference.
std::optional<std::string> BlockCrs(int zone);

// "Vesk 0.72", for the files' generator fields.
std::string GeneratorName();

}  // namespace vesk
