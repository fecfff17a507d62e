#pragma once

#include <optional>
#include <vector>

#include "model/BlockModel.h"

namespace vesk {

// How hard zlib works, its strategy (Z_DEFAULT_STRATEGY, Z_FILTERED,
// Z_HUFFMAN_ONLY, Z_RLE) and which row filters libpng may choose among
// (PNG_FILTER_* bits). The default was chosen by measuring size and time on
// ortho textures (bench/README.md).
struct PngSettings {
    int level = 1;
    int strategy = 3;    // Z_RLE
    int filters = 0x20;  // PNG_FILTER_UP
};

// The image as a PNG file in memory (RGB when every pixel is opaque, RGBA
// otherwise); nothing when libpng fails.
std::optional<std::vector<unsigned char>> EncodePng(const RgbaImage& image,
                                                    const PngSettings& settings = {});

}  // namespace vesk
