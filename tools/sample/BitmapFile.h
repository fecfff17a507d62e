#pragma once

#include <cstdint>

#include "ByteSink.h"
#include "Raster.h"

namespace vesk::sample {

// Size of a 24-bit Windows bitmap file: 54 header bytes and rows padded to 4 bytes.
std::uint64_t BitmapFileSize(int width, int height);

// The raster as a 24-bit uncompressed Windows bitmap file, rows bottom-up, with
// no colour table: bfOffBits is 54 and bfSize the whole file.
void PutBitmapFile(ByteSink& sink, const Raster& raster);

}  // namespace vesk::sample
