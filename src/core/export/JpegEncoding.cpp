#include "export/JpegEncoding.h"

#include <turbojpeg.h>

#include <limits>
#include <memory>

namespace vesk {
namespace {

struct CompressorDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Compressor = std::unique_ptr<void, CompressorDeleter>;

struct JpegBufferDeleter {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using JpegBuffer = std::unique_ptr<unsigned char, JpegBufferDeleter>;

constexpr int kSubsampling = TJSAMP_420;

bool Encodable(const RgbaImage& image, int quality) {
    constexpr std::uint32_t kMostSide = std::numeric_limits<std::uint16_t>::max();  // JPEG's own
    return image.width > 0 && image.height > 0 && image.width <= kMostSide &&
           image.height <= kMostSide &&
           image.pixels.size() == std::size_t{image.width} * image.height * 4 && quality >= 1 &&
           quality <= 100;
}

}  // namespace

std::optional<std::vector<unsigned char>> EncodeJpeg(const RgbaImage& image, int quality) {
    if (!Encodable(image, quality)) {
        return std::nullopt;
    }
    const Compressor compressor(tjInitCompress());
    if (!compressor) {
        return std::nullopt;
    }
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    // TurboJPEG grows a buffer of its own as the file grows: its bound on the
    // file, a few bytes a pixel, would be allocated whole for a texture that
    // compresses to a fraction of it.
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(compressor.get(), image.pixels.data(), width, 0, height,
                                   TJPF_RGBX, &out, &size, kSubsampling, quality, 0);
    const JpegBuffer owned(out);
    if (failed != 0 || out == nullptr) {
        return std::nullopt;
    }
    return std::vector<unsigned char>(out, out + size);
}

}  // namespace vesk
