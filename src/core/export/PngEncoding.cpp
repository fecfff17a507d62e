#include "export/PngEncoding.h"

#include <png.h>

#include <cstddef>
#include <new>

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

bool Encodable(const RgbaImage& image) {
    constexpr std::uint32_t kMostSide = PNG_USER_WIDTH_MAX;
    return image.width > 0 && image.height > 0 && image.width <= kMostSide &&
           image.height <= kMostSide &&
           image.pixels.size() == std::size_t{image.width} * image.height * 4;
}

// No exception may pass through libpng's C frames: a failed allocation
// becomes libpng's own error, raised once the exception is handled.
void Append(png_structp png, png_bytep bytes, png_size_t count) {
    auto* file = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        file->insert(file->end(), bytes, bytes + count);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored) {
        png_error(png, "out of memory");
    }
}

void Flush(png_structp) {}

// The caller learns of a failure from the result; libpng prints nothing.
[[noreturn]] void Fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// libpng reports its errors by longjmp, so nothing with a destructor may live
// in this frame: the caller owns the file, and the structs are freed here.
bool WriteRows(png_structp png, png_infop info, const RgbaImage& image, bool opaque,
               const PngSettings& settings) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_IHDR(png, info, image.width, image.height, 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, settings.level);
    png_set_compression_strategy(png, settings.strategy);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, settings.filters);
    png_write_info(png, info);
    if (opaque) {
        png_set_filler(png, 0, PNG_FILLER_AFTER);  // the alpha bytes are left out as rows go
    }
    const std::size_t stride = std::size_t{image.width} * 4;
    for (std::uint32_t row = 0; row < image.height; ++row) {
        png_write_row(png, image.pixels.data() + row * stride);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

std::optional<std::vector<unsigned char>> EncodePng(const RgbaImage& image,
                                                    const PngSettings& settings) {
    if (!Encodable(image)) {
        return std::nullopt;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    std::vector<unsigned char> file;
    bool written = false;
    if (info != nullptr) {
        file.reserve(image.pixels.size() / 2);
        png_set_write_fn(png, &file, Append, Flush);
        written = WriteRows(png, info, image, Opaque(image), settings);
    }
    png_destroy_write_struct(&png, &info);
    if (!written) {
        return std::nullopt;
    }
    file.shrink_to_fit();
    return file;
}

}  // namespace vesk
