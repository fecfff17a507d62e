#include "view/SheetImageConversion.h"

namespace vesk::gui {
namespace {

// 5-bit channel to 8 bits, so that 31 becomes 255.
inline int Expand5(unsigned value) {
    return static_cast<int>((value << 3) | (value >> 2));
}

QRgb Pixel16(const unsigned char* p) {
    const unsigned v = p[0] | (p[1] << 8);
    return qRgb(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
}

QRgb Pixel24(const unsigned char* p) {
    return qRgb(p[2], p[1], p[0]);
}

void ConvertRow(const unsigned char* source, QRgb* target, int width, int bitCount) {
    const int step = bitCount / 8;
    for (int x = 0; x < width; ++x, source += step) {
        target[x] = bitCount == 16 ? Pixel16(source) : Pixel24(source);
    }
}

}  // namespace

QImage ConvertSheetImage(const BitmapInfoHeader& header, std::span<const std::byte> pixels) {
    const int width = header.width;
    const int height = header.height;
    const int bits = header.bitCount;
    if (width <= 0 || height <= 0 || (bits != 16 && bits != 24 && bits != 32)) {
        return {};
    }
    const std::uint64_t rowBytes = BitmapRowBytes(width, header.bitCount);
    if (rowBytes * static_cast<std::uint64_t>(height) > pixels.size()) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    const auto* base = reinterpret_cast<const unsigned char*>(pixels.data());
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = base + rowBytes * static_cast<std::uint64_t>(height - 1 - y);
        ConvertRow(row, reinterpret_cast<QRgb*>(image.scanLine(y)), width, bits);
    }
    return image;
}

}  // namespace vesk::gui
