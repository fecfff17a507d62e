#pragma once

#include <optional>
#include <vector>

#include "model/BlockModel.h"

namespace vesk {

// What an ortho photograph keeps at a tenth of its PNG's size.
constexpr int kDefaultJpegQuality = 85;

// The image as a baseline JPEG file in memory at the quality (1 to 100), its
// colour halved in resolution as photographs are; the alpha channel is
// dropped. Nothing when TurboJPEG fails.
std::optional<std::vector<unsigned char>> EncodeJpeg(const RgbaImage& image, int quality);

}  // namespace vesk
