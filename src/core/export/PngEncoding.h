#pragma once

#include <optional>
#include <string>
#include <vector>

#include "export/EncodedImage.h"
#include "model/BlockModel.h"

namespace vesk {

// The image as a PNG file in memory (RGB when every pixel is opaque, RGBA
// otherwise); nothing when libpng fails.
std::optional<std::vector<unsigned char>> EncodePng(const RgbaImage& image);

// The block's texture as PNG, its pixels released; nothing when it has none,
// or when it cannot be encoded, which `messages` is told.
std::optional<EncodedImage> TakeTextureAsPng(BlockModel& model, std::vector<std::string>& messages);

}  // namespace vesk
