// Decoding of the ortho texture's SGI image: files written here by hand
// (big-endian header, planes of rows from the bottom) and damaged variants.
#include "model/SgiImage.h"

#include "SgiTestFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace vesk {
namespace {

using test::Samples;
using test::SgiFile;

using ::testing::HasSubstr;

std::array<int, 4> Pixel(const RgbaImage& image, int x, int rowFromTop) {
    const std::size_t at = (std::size_t(rowFromTop) * image.width + x) * 4;
    return {image.pixels[at], image.pixels[at + 1], image.pixels[at + 2], image.pixels[at + 3]};
}

const Samples kGradient = [](int x, int y, int c) {
    return static_cast<std::uint8_t>(10 * x + 50 * y + 100 * c);
};

TEST(SgiImage, VerbatimAndRunLengthFilesGiveTheSamePixelsTopRowFirst) {
    for (const bool runLength : {false, true}) {
        const auto decoded = DecodeSgiImage(SgiFile(runLength, 3, 2, 3).With(kGradient));
        ASSERT_TRUE(std::holds_alternative<RgbaImage>(decoded)) << std::get<std::string>(decoded);
        const RgbaImage& image = std::get<RgbaImage>(decoded);
        EXPECT_EQ(image.width, 3u);
        EXPECT_EQ(image.height, 2u);
        EXPECT_EQ(Pixel(image, 0, 0), (std::array{50, 150, 250, 255}));  // row 1 from the bottom
        EXPECT_EQ(Pixel(image, 2, 1), (std::array{20, 120, 220, 255}));
    }
}

TEST(SgiImage, GreyAndAlphaChannelsAreSpreadToRgba) {
    const Samples flat = [](int x, int, int c) { return std::uint8_t(c == 0 ? 7 : 200 + x); };
    const auto grey = DecodeSgiImage(SgiFile(true, 4, 1, 1).With(flat));
    const auto greyAlpha = DecodeSgiImage(SgiFile(true, 4, 1, 2).With(flat));
    const auto rgba = DecodeSgiImage(SgiFile(false, 4, 1, 4).With(flat));
    EXPECT_EQ(Pixel(std::get<RgbaImage>(grey), 3, 0), (std::array{7, 7, 7, 255}));
    EXPECT_EQ(Pixel(std::get<RgbaImage>(greyAlpha), 3, 0), (std::array{7, 7, 7, 203}));
    EXPECT_EQ(Pixel(std::get<RgbaImage>(rgba), 1, 0), (std::array{7, 201, 201, 201}));
}

std::string FaultOf(const std::vector<std::byte>& file) {
    const auto decoded = DecodeSgiImage(file);
    return std::holds_alternative<std::string>(decoded) ? std::get<std::string>(decoded) : "";
}

void PutBe32(std::vector<std::byte>& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<std::byte>((value >> (24 - 8 * i)) & 0xFF);
    }
}

TEST(SgiImage, DamagedFilesGiveAReasonAndAreNeverReadPastTheirBytes) {
    const auto verbatim = SgiFile(false, 8, 8, 3).With(kGradient);
    const auto packed = SgiFile(true, 8, 8, 3).With(kGradient);
    std::vector<std::byte> truncated(verbatim.begin(), verbatim.end() - 1);
    EXPECT_THAT(FaultOf(truncated), HasSubstr("more pixels than its bytes"));
    EXPECT_THAT(FaultOf({verbatim.begin(), verbatim.begin() + 100}), HasSubstr("shorter"));
    auto wrongMagic = verbatim;
    wrongMagic[0] = std::byte{0};
    EXPECT_THAT(FaultOf(wrongMagic), HasSubstr("magic"));
    auto rowPastEnd = packed;
    PutBe32(rowPastEnd, 512 + 4 * 5, static_cast<std::uint32_t>(packed.size()));  // start of row 5
    EXPECT_THAT(FaultOf(rowPastEnd), HasSubstr("row 5 of channel 0 is damaged"));
    auto runPastRow = packed;
    runPastRow[512 + 8 * 24] = std::byte{0x7F};  // first run of row 0 repeats 127 times
    EXPECT_THAT(FaultOf(runPastRow), HasSubstr("row 0 of channel 0 is damaged"));
    auto huge = SgiFile(true, 1, 1, 1).With(kGradient);
    huge[6] = huge[7] = huge[8] = huge[9] = std::byte{0xFF};  // 65535 x 65535 in 530 bytes
    EXPECT_THAT(FaultOf(huge), HasSubstr("more pixels than its bytes"));
}

}  // namespace
}  // namespace vesk
