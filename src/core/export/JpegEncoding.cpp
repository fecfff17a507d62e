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
    // TurboJPEG's bound on the file, so it writes into our buffer and never reallocates it.
    std::vector<unsigned char> file(tjBufSize(width, height, kSubsampling));
    unsigned char* out = file.data();
    unsigned long size = file.size();
    if (tjCompress2(compressor.get(), image.pixels.data(), width, 0, height, TJPF_RGBX, &out, &size,
                    kSubsampling, quality, TJFLAG_NOREALLOC) != 0) {
        return std::nullopt;
    }
    file.resize(size);
    file.shrink_to_fit();
    return file;
}

}  // namespace vesk
