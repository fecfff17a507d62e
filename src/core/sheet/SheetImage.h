#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "sheet/ByteSource.h"
#include "sheet/ChunkWalker.h"

namespace vesk {

// The standard 40-byte Windows bitmap information header.
struct BitmapInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
};

inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;

// Bytes of one pixel row, padded to 4 bytes as the bitmap format stores it.
std::uint64_t BitmapRowBytes(std::int32_t width, std::uint16_t bitCount);

// The sheet picture as read from an IDXB chunk: bottom-up rows of 16, 24 or
// 32 bits per pixel, uncompressed.
struct SheetImage {
    BitmapInfoHeader header;
    std::unique_ptr<std::byte[]> pixels;
    std::size_t pixelBytes = 0;

    std::span<const std::byte> Pixels() const { return {pixels.get(), pixelBytes}; }
};

// Reads the bitmap in an IDXB chunk. Nothing when it is not a bitmap that can be
// drawn as stored: bad signature, data offset past the file size, pixel data past
// the chunk body or the file, fewer pixel bytes than the rows need, a height or
// width that is not positive, compression, or a bit count other than 16, 24, 32.
// Nothing is allocated before every check has passed.
std::optional<SheetImage> ReadSheetImage(ByteSource& source, const WalkedChunk& chunk);

}  // namespace vesk
