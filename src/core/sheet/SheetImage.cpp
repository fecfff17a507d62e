#include "sheet/SheetImage.h"

#include <algorithm>
#include <array>

#include "sheet/ByteReader.h"
#include "sheet/LittleEndian.h"

namespace vesk {
namespace {

constexpr std::uint32_t kBiRgb = 0;
// A few milliseconds of reading: how long a stop may wait.
constexpr std::size_t kSliceBytes = std::size_t{16} << 20;

struct BitmapFileHeader {
    std::uint32_t fileSize = 0;
    std::uint32_t pixelOffset = 0;
};

bool HasBitmapSignature(const std::byte* p) {
    return p[0] == std::byte{'B'} && p[1] == std::byte{'M'};
}

BitmapFileHeader DecodeFileHeader(const std::byte* p) {
    return BitmapFileHeader{DecodeU32(p + 2), DecodeU32(p + 10)};
}

BitmapInfoHeader DecodeInfoHeader(const std::byte* p) {
    BitmapInfoHeader h;
    h.size = DecodeU32(p);
    h.width = DecodeI32(p + 4);
    h.height = DecodeI32(p + 8);
    h.planes = DecodeU16(p + 12);
    h.bitCount = DecodeU16(p + 14);
    h.compression = DecodeU32(p + 16);
    h.sizeImage = DecodeU32(p + 20);
    h.xPelsPerMeter = DecodeI32(p + 24);
    h.yPelsPerMeter = DecodeI32(p + 28);
    h.colorsUsed = DecodeU32(p + 32);
    h.colorsImportant = DecodeU32(p + 36);
    return h;
}

bool IsDrawableLayout(const BitmapInfoHeader& h) {
    const bool knownDepth = h.bitCount == 16 || h.bitCount == 24 || h.bitCount == 32;
    return h.width > 0 && h.height > 0 && h.compression == kBiRgb && knownDepth;
}

}  // namespace

std::uint64_t BitmapRowBytes(std::int32_t width, std::uint16_t bitCount) {
    const std::uint64_t bits = static_cast<std::uint64_t>(width < 0 ? 0 : width) * bitCount;
    return (bits + 31) / 32 * 4;
}

std::optional<SheetImageLayout> ReadSheetImageLayout(ByteSource& source, const WalkedChunk& chunk) {
    constexpr std::size_t kHeadersSize = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
    ByteReader reader(source, chunk.BodyOffset());
    std::array<std::byte, kHeadersSize> headers{};
    if (!reader.Read(headers) || !HasBitmapSignature(headers.data())) {
        return std::nullopt;
    }
    const BitmapFileHeader file = DecodeFileHeader(headers.data());
    const BitmapInfoHeader info = DecodeInfoHeader(headers.data() + kBitmapFileHeaderSize);
    if (file.pixelOffset > file.fileSize || !IsDrawableLayout(info)) {
        return std::nullopt;
    }
    const std::uint64_t pixelBytes = file.fileSize - file.pixelOffset;
    // At most 2^33 bytes a row times less than 2^31 rows: no overflow.
    const std::uint64_t rowsNeed =
        BitmapRowBytes(info.width, info.bitCount) * static_cast<std::uint64_t>(info.height);
    if (pixelBytes > reader.Remaining() || pixelBytes < rowsNeed) {
        return std::nullopt;
    }
    return SheetImageLayout{info, reader.Position(), pixelBytes};
}

std::optional<SheetImage> ReadSheetImage(ByteSource& source, const SheetImageLayout& layout) {
    const std::atomic<bool> never{false};
    return ReadSheetImage(source, layout, never);
}

std::optional<SheetImage> ReadSheetImage(ByteSource& source, const SheetImageLayout& layout,
                                         const std::atomic<bool>& stop) {
    ByteReader reader(source, layout.pixelOffset);
    if (layout.pixelBytes > reader.Remaining()) {
        return std::nullopt;
    }
    SheetImage image;
    image.header = layout.header;
    image.pixelBytes = static_cast<std::size_t>(layout.pixelBytes);
    image.pixels = std::make_unique_for_overwrite<std::byte[]>(image.pixelBytes);
    const std::span<std::byte> pixels(image.pixels.get(), image.pixelBytes);
    for (std::size_t done = 0; done < pixels.size(); done += kSliceBytes) {
        const std::size_t slice = std::min(kSliceBytes, pixels.size() - done);
        if (stop.load(std::memory_order_relaxed) || !reader.Read(pixels.subspan(done, slice))) {
            return std::nullopt;
        }
    }
    return image;
}

}  // namespace vesk
