// JPEG textures read back through TurboJPEG's own decoder.
#include "export/JpegEncoding.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdlib>
#include <memory>

#include "export/GltfCompression.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Four flat quadrants, north-west red, north-east green, south-west blue,
// south-east white, so that blocks of 8 pixels stay clear of the edges.
RgbaImage Quadrants(std::uint32_t side) {
    RgbaImage image{side, side, std::vector<std::uint8_t>(std::size_t{side} * side * 4, 0xFF)};
    for (std::uint32_t y = 0; y < side; ++y) {
        for (std::uint32_t x = 0; x < side; ++x) {
            std::uint8_t* pixel = &image.pixels[(std::size_t{y} * side + x) * 4];
            const bool east = x >= side / 2;
            const bool south = y >= side / 2;
            pixel[0] = !south && !east ? 255 : (south && east ? 255 : 0);
            pixel[1] = !south && east ? 255 : (south && east ? 255 : 0);
            pixel[2] = south ? 255 : 0;
        }
    }
    return image;
}

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

Decoded Decode(const std::vector<unsigned char>& jpeg) {
    const std::unique_ptr<void, int (*)(tjhandle)> decoder(tjInitDecompress(), tjDestroy);
    Decoded image;
    int subsampling = 0;
    int colourspace = 0;
    EXPECT_EQ(tjDecompressHeader3(decoder.get(), jpeg.data(), jpeg.size(), &image.width,
                                  &image.height, &subsampling, &colourspace),
              0);
    image.rgb.resize(std::size_t(image.width) * image.height * 3);
    EXPECT_EQ(tjDecompress2(decoder.get(), jpeg.data(), jpeg.size(), image.rgb.data(), image.width,
                            0, image.height, TJPF_RGB, 0),
              0);
    return image;
}

std::vector<int> PixelAt(const Decoded& image, int x, int y) {
    const unsigned char* p = &image.rgb[(std::size_t(y) * image.width + x) * 3];
    return {p[0] / 16, p[1] / 16, p[2] / 16};  // within 16 of what was encoded
}

TEST(JpegEncoding, DecodesToTheSameSizeAndColoursWithTheNorthernRowFirst) {
    const auto jpeg = EncodeJpeg(Quadrants(64), kDefaultJpegQuality);
    ASSERT_TRUE(jpeg.has_value());
    const Decoded image = Decode(*jpeg);
    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 64);
    EXPECT_THAT(PixelAt(image, 8, 8), ElementsAre(15, 0, 0));
    EXPECT_THAT(PixelAt(image, 56, 8), ElementsAre(0, 15, 0));
    EXPECT_THAT(PixelAt(image, 8, 56), ElementsAre(0, 0, 15));
    EXPECT_THAT(PixelAt(image, 56, 56), ElementsAre(15, 15, 15));
}

TEST(JpegEncoding, QualityTradesBytesAndIsCheckedForItsRange) {
    RgbaImage noise = Quadrants(128);
    std::srand(7);
    for (std::size_t i = 0; i < noise.pixels.size(); ++i) {
        noise.pixels[i] = i % 4 == 3 ? 0xFF : static_cast<std::uint8_t>(std::rand());
    }
    const auto low = EncodeJpeg(noise, 20);
    const auto high = EncodeJpeg(noise, 95);
    ASSERT_TRUE(low && high);
    EXPECT_LT(low->size() * 2, high->size());
    EXPECT_FALSE(EncodeJpeg(noise, 0).has_value());
    EXPECT_FALSE(EncodeJpeg(noise, 101).has_value());
}

TEST(JpegEncoding, TextureThatCannotBeEncodedIsReleasedAndToldWithNothingWritten) {
    BlockModel model;
    model.texture = RgbaImage{4, 4, std::vector<std::uint8_t>(10)};  // fewer pixels than 4 x 4
    std::vector<Diagnostic> diagnostics;
    EXPECT_FALSE(TakeTexture(model, {true, kDefaultJpegQuality}, diagnostics).has_value());
    EXPECT_FALSE(model.texture.has_value());
    EXPECT_THAT(diagnostics, ElementsAre(testing::Property(
                                 &Diagnostic::English, HasSubstr("could not be encoded as JPEG"))));

    model.texture = Quadrants(16);
    diagnostics.clear();
    const auto image = TakeTexture(model, {true, 50}, diagnostics);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->format, ImageFormat::kJpeg);
    EXPECT_EQ(Decode(image->bytes).width, 16);
    EXPECT_TRUE(diagnostics.empty());
}

}  // namespace
}  // namespace vesk
