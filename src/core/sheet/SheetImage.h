#pragma once

#include <atomic>
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

// What the headers of the bitmap in an IDXB chunk say, and where its pixel
// data lie: right after the 54 header bytes, bfSize - bfOffBits of them. The
// chunk's body size takes no part; it may be 0, or larger than the bitmap.
struct SheetImageLayout {
    BitmapInfoHeader header;
    std::uint64_t pixelOffset = 0;
    std::uint64_t pixelBytes = 0;

    // Where the bitmap ends and the walk goes on.
    std::uint64_t End() const { return pixelOffset + pixelBytes; }
};

// Reads and checks the headers of the bitmap in an IDXB chunk. Nothing when it
// is not a bitmap that can be drawn as stored: bad signature, data offset past
// the file size, headers or pixel data past the end of the file, fewer pixel
// bytes than the rows need, a height or width that is not positive,
// compression, or a bit count other than 16, 24, 32. No pixel is read.
std::optional<SheetImageLayout> ReadSheetImageLayout(ByteSource& source, const WalkedChunk& chunk);

// The sheet picture: bottom-up rows of 16, 24 or 32 bits per pixel, uncompressed.
struct SheetImage {
    BitmapInfoHeader header;
    std::unique_ptr<std::byte[]> pixels;
    std::size_t pixelBytes = 0;

    std::span<const std::byte> Pixels() const { return {pixels.get(), pixelBytes}; }
};

// Reads the pixel data of a checked bitmap; nothing when the source no longer
// gives them whole.
std::optional<SheetImage> ReadSheetImage(ByteSource& source, const SheetImageLayout& layout);
// The same read in slices, given up between two of them once stop is set
// (nothing then): a picture may be gigabytes, and a load being cancelled
// need not read it to its end.
std::optional<SheetImage> ReadSheetImage(ByteSource& source, const SheetImageLayout& layout,
                                         const std::atomic<bool>& stop);

}  // namespace vesk
