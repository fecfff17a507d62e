#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <variant>

#include "model/BlockModel.h"

namespace vesk {

// Decodes an SGI image file held in memory: 8 bits per channel, 1 to 4
// channels (grey, grey and alpha, RGB, RGBA), stored verbatim or run-length
// encoded. A damaged file gives the reason instead of an image; nothing is
// read outside the file's bytes, and no image larger than its bytes can
// describe is allocated.
std::variant<RgbaImage, std::string> DecodeSgiImage(std::span<const std::byte> file);

}  // namespace vesk
