// PNG textures read back through libpng's own reader, whatever zlib strategy
// and row filters wrote them.
#include "export/PngEncoding.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <png.h>

#include <random>

namespace vesk {
namespace {

// Grain over a gradient, as ortho photographs are; see-through at the
// north-east corner when `translucent`.
RgbaImage Grain(std::uint32_t width, std::uint32_t height, bool translucent) {
    RgbaImage image{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 4)};
    std::mt19937 random(7);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint8_t* pixel = &image.pixels[(std::size_t{y} * width + x) * 4];
            pixel[0] = static_cast<std::uint8_t>(x * 255 / width + random() % 9);
            pixel[1] = static_cast<std::uint8_t>(y * 255 / height + random() % 9);
            pixel[2] = static_cast<std::uint8_t>(random());
            pixel[3] = translucent && x == width - 1 && y == 0 ? 0x40 : 0xFF;
        }
    }
    return image;
}

struct ReadBack {
    png_uint_32 format = 0;
    std::vector<std::uint8_t> rgba;
};

ReadBack Read(const std::vector<unsigned char>& file) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ReadBack read;
    if (!png_image_begin_read_from_memory(&png, file.data(), file.size())) {
        ADD_FAILURE() << png.message;
        return read;
    }
    read.format = png.format;
    png.format = PNG_FORMAT_RGBA;
    read.rgba.resize(PNG_IMAGE_SIZE(png));
    EXPECT_TRUE(png_image_finish_read(&png, nullptr, read.rgba.data(), 0, nullptr)) << png.message;
    return read;
}

TEST(PngEncoding, EveryStrategyAndFilterGivesThePixelsBack) {
    for (const bool translucent : {false, true}) {
        const RgbaImage image = Grain(37, 23, translucent);
        for (const PngSettings settings : {PngSettings{}, PngSettings{6, 0, 0xF8},
                                           PngSettings{1, 2, 0x10}, PngSettings{9, 1, 0x80}}) {
            const auto file = EncodePng(image, settings);
            ASSERT_TRUE(file);
            const ReadBack read = Read(*file);
            // The alpha channel is kept only when a pixel needs it.
            EXPECT_EQ(read.format & PNG_FORMAT_FLAG_ALPHA,
                      translucent ? PNG_FORMAT_FLAG_ALPHA : 0u);
            EXPECT_EQ(read.rgba, image.pixels) << translucent << " " << settings.strategy;
        }
    }
}

// Ortho textures often have flat margins where the photograph ends.
TEST(PngEncoding, FlatAreasCostAlmostNothing) {
    RgbaImage flat{1024, 1024, std::vector<std::uint8_t>(std::size_t{1024} * 1024 * 4, 0xFF)};
    const auto file = EncodePng(flat);
    ASSERT_TRUE(file);
    EXPECT_LT(file->size(), 20'000u);
    EXPECT_EQ(Read(*file).rgba, flat.pixels);
}

TEST(PngEncoding, AnImageWithoutPixelsOrWithTooFewBytesIsRefused) {
    EXPECT_FALSE(EncodePng(RgbaImage{0, 0, {}}));
    EXPECT_FALSE(EncodePng(RgbaImage{4, 4, std::vector<std::uint8_t>(60)}));
}

}  // namespace
}  // namespace vesk
