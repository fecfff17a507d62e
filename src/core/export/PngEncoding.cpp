#include "export/PngEncoding.h"

#include <png.h>

#include <algorithm>

namespace vesk {
namespace {

bool Opaque(const RgbaImage& image) {
    for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
        if (image.pixels[i] != 0xFF) {
            return false;
        }
    }
    return true;
}

// The opaque image's RGB bytes: a smaller file, and less for zlib to read.
std::vector<std::uint8_t> DropAlpha(const RgbaImage& image) {
    std::vector<std::uint8_t> rgb(image.pixels.size() / 4 * 3);
    for (std::size_t from = 0, to = 0; from < image.pixels.size(); from += 4, to += 3) {
        std::copy_n(image.pixels.begin() + static_cast<std::ptrdiff_t>(from), 3,
                    rgb.begin() + static_cast<std::ptrdiff_t>(to));
    }
    return rgb;
}

}  // namespace

std::optional<std::vector<unsigned char>> EncodePng(const RgbaImage& image) {
    const bool opaque = Opaque(image);
    const std::vector<std::uint8_t> rgb = opaque ? DropAlpha(image) : std::vector<std::uint8_t>{};
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = image.width;
    png.height = image.height;
    png.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
    // libpng's bound on the file it can make, so one pass is enough.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(png);
    std::vector<unsigned char> file(size);
    const void* pixels = opaque ? static_cast<const void*>(rgb.data()) : image.pixels.data();
    if (!png_image_write_to_memory(&png, file.data(), &size, 0, pixels, 0, nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    file.resize(size);
    file.shrink_to_fit();  // the bound is far above what most images take
    return file;
}

}  // namespace vesk
