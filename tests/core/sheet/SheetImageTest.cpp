#include "sheet/SheetImage.h"

#include <gtest/gtest.h>

#include "SheetBuilder.h"

namespace vesk {
namespace {

using test::BitmapLayout;
using test::SheetBuilder;

std::optional<SheetImageLayout> ReadLayout(const std::vector<std::byte>& bytes) {
    MemoryByteSource source(bytes);
    ChunkWalker walker(source);
    const auto chunk = walker.Next();
    return chunk ? ReadSheetImageLayout(source, *chunk) : std::nullopt;
}

std::optional<SheetImage> ReadImage(const SheetBuilder& sheet) {
    const auto layout = ReadLayout(sheet.Bytes());
    MemoryByteSource source(sheet.Bytes());
    return layout ? ReadSheetImage(source, *layout) : std::nullopt;
}

TEST(SheetImage, ReadsEachSupportedDepthWithItsRowPadding) {
    for (int bits : {16, 24, 32}) {
        SheetBuilder sheet;
        sheet.Image({.width = 5, .height = 3, .bitCount = bits});
        const auto image = ReadImage(sheet);
        ASSERT_TRUE(image) << bits;
        EXPECT_EQ(image->header.width, 5);
        EXPECT_EQ(image->header.height, 3);
        EXPECT_EQ(image->header.bitCount, bits);
        EXPECT_EQ(image->pixelBytes, BitmapRowBytes(5, static_cast<std::uint16_t>(bits)) * 3);
        // The first byte of row 1 (from the bottom) follows the padded row 0.
        const std::size_t row1 =
            static_cast<std::size_t>(BitmapRowBytes(5, static_cast<std::uint16_t>(bits)));
        EXPECT_EQ(image->Pixels()[row1], std::byte{13});
    }
}

// A load being cancelled gives up on the picture, which may be gigabytes,
// rather than read it to its end.
TEST(SheetImage, ReadingToldToStopGivesNothing) {
    SheetBuilder sheet;
    sheet.Image({.width = 5, .height = 3});
    const auto layout = ReadLayout(sheet.Bytes());
    ASSERT_TRUE(layout);
    MemoryByteSource source(sheet.Bytes());
    std::atomic<bool> stop{false};
    EXPECT_TRUE(ReadSheetImage(source, *layout, stop));
    stop = true;
    EXPECT_FALSE(ReadSheetImage(source, *layout, stop));
}

TEST(SheetImage, RejectsWhatCannotBeDrawnAsStored) {
    const std::vector<std::pair<const char*, BitmapLayout>> bad = {
        {"signature", {.signature = "MB"}},
        {"offset past size", {.fileSize = 60, .pixelOffset = 61}},
        {"too few pixel bytes", {.width = 10, .height = 10, .pixelBytes = 299}},
        {"8 bits", {.bitCount = 8}},
        {"1 bit", {.bitCount = 1}},
        {"compressed", {.compression = 1}},
        {"top-down", {.height = -10}},
        {"zero height", {.height = 0}},
        {"zero width", {.width = 0}},
    };
    for (const auto& [why, layout] : bad) {
        SheetBuilder sheet;
        sheet.Image(layout);
        EXPECT_FALSE(ReadImage(sheet)) << why;
    }
}

TEST(SheetImage, BitmapIsTakenByItsOwnSizeWhateverTheBodySizeSays) {
    // 4 x 4 at 24 bits: rows of 12 bytes, 48 bytes of pixels after 54 of headers.
    const auto bitmap = test::MakeBitmap({.width = 4, .height = 4});
    for (const std::uint32_t bodySize : {0u, 53u, 101u, 102u, 5000u}) {
        SheetBuilder sheet;
        sheet.ChunkClaiming(0x100000, "IDXB", bodySize, bitmap);
        const auto layout = ReadLayout(sheet.Bytes());
        ASSERT_TRUE(layout) << bodySize;
        EXPECT_EQ(layout->pixelOffset, 12u + 54u);
        EXPECT_EQ(layout->pixelBytes, 48u);
        EXPECT_EQ(layout->End(), 12u + 102u);
    }
}

TEST(SheetImage, HeadersOrPixelDataPastTheEndOfTheFileAreRejected) {
    SheetBuilder sheet;
    sheet.Chunk(0x100000, "IDXB", test::MakeBitmap({.width = 4, .height = 4}));
    for (const std::size_t cut :
         {std::size_t{1}, std::size_t{48}, std::size_t{49}, std::size_t{60}}) {
        std::vector<std::byte> bytes = sheet.Bytes();
        bytes.resize(bytes.size() - cut);
        EXPECT_FALSE(ReadLayout(bytes)) << cut;
    }
}

TEST(SheetImage, HugeClaimedSizesAreRejectedBeforeAnyAllocation) {
    SheetBuilder sheet;
    sheet.Image({.width = 0x7FFFFFFF,
                 .height = 0x10000,
                 .bitCount = 32,
                 .fileSize = 0xFFFFFFFF,
                 .pixelOffset = 54,
                 .pixelBytes = 0});
    EXPECT_FALSE(ReadImage(sheet));
}

}  // namespace
}  // namespace vesk
