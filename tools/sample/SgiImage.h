#pragma once

#include <cstdint>
#include <string_view>

#include "ByteSink.h"
#include "Raster.h"

namespace vesk::sample {

// Size of an uncompressed 8-bit RGB SGI image file: the 512-byte header and three planes.
std::uint64_t SgiImageSize(int width, int height);

// The raster as an SGI image file: big-endian header with magic 474, verbatim
// storage, one byte per channel, three channels; then the red, green and blue
// planes, each with its rows from the bottom up. name (up to 79 characters) goes
// into the header's image name field.
void PutSgiImage(ByteSink& sink, const Raster& raster, std::string_view name);

}  // namespace vesk::sample
