#pragma once

#include <optional>
#include <vector>

#include "model/BlockModel.h"

namespace vesk {

// The image as a PNG file in memory (RGB when every pixel is opaque, RGBA
// otherwise); nothing when libpng fails.
std::optional<std::vector<unsigned char>> EncodePng(const RgbaImage& image);

}  // namespace vesk
