#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <variant>

#include "model/BlockModel.h"

namespace vesk {

// Decodes an SGI image file held in memory: 8 bits per channel, 1 to 4
// channels (grey, grey and alpha, RGB, RGBA), stored verbatim or run-length
// encoded, read as sheet/SgiLayout and sheet/SgiRows lay it out. A damaged
// file gives the reason instead of an image; nothing is read outside the
// file's bytes, no image of more pixels than its bytes hold is allocated, and
// the work is bounded by the bytes and the pixels.
std::variant<RgbaImage, std::string> DecodeSgiImage(std::span<const std::byte> file);

}  // namespace vesk
