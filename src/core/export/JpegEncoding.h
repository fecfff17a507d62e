#pragma once

#include <optional>
#include <string>
#include <vector>

#include "export/EncodedImage.h"
#include "model/BlockModel.h"

namespace vesk {

// What an ortho photograph keeps at a tenth of its PNG's size.
constexpr int kDefaultJpegQuality = 85;

// The image as a baseline JPEG file in memory at the quality (1 to 100), its
// colour halved in resolution as photographs are; the alpha channel is
// dropped. Nothing when TurboJPEG fails.
std::optional<std::vector<unsigned char>> EncodeJpeg(const RgbaImage& image, int quality);

// The block's texture as JPEG, its pixels released; nothing when it has none,
// or when it cannot be encoded, which `messages` is told.
std::optional<EncodedImage> TakeTextureAsJpeg(BlockModel& model, int quality,
                                              std::vector<std::string>& messages);

}  // namespace vesk
