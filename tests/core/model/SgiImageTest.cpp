// Decoding of the ortho texture's SGI image: files written here by hand
// (big-endian header, planes of rows from the bottom) and damaged variants.
#include "model/SgiImage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace vesk {
namespace {

using ::testing::HasSubstr;

// Sample of channel c at column x of row y, counted from the bottom.
using Samples = std::function<std::uint8_t(int x, int y, int c)>;

class SgiFile {
public:
    SgiFile(bool runLength, int width, int height, int channels)
        : runLength_(runLength), width_(width), height_(height), channels_(channels) {
        Be(474, 2);
        Be(runLength ? 1 : 0, 1);
        Be(1, 1);
        Be(channels > 1 ? 3 : 2, 2);
        Be(width, 2);
        Be(height, 2);
        Be(channels, 2);
        Be(0, 4);
        Be(255, 4);
        bytes_.resize(512, std::byte{0});
    }

    std::vector<std::byte> With(const Samples& samples) {
        const int rows = height_ * channels_;
        std::vector<std::vector<std::byte>> packed;
        for (int c = 0; c < channels_; ++c) {
            for (int y = 0; y < height_; ++y) {
                std::vector<std::uint8_t> row;
                for (int x = 0; x < width_; ++x) {
                    row.push_back(samples(x, y, c));
                }
                packed.push_back(runLength_ ? Packed(row) : Raw(row));
            }
        }
        if (runLength_) {
            std::uint32_t at = 512 + 8 * rows;
            for (const auto& row : packed) {
                Be(at, 4);
                at += static_cast<std::uint32_t>(row.size());
            }
            for (const auto& row : packed) {
                Be(static_cast<std::uint32_t>(row.size()), 4);
            }
        }
        for (const auto& row : packed) {
            bytes_.insert(bytes_.end(), row.begin(), row.end());
        }
        return bytes_;
    }

private:
    void Be(std::uint32_t value, int size) {
        for (int i = size - 1; i >= 0; --i) {
            bytes_.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFF));
        }
    }
    static std::vector<std::byte> Raw(const std::vector<std::uint8_t>& row) {
        std::vector<std::byte> out;
        for (std::uint8_t v : row)
            out.push_back(std::byte{v});
        return out;
    }
    // Runs of equal samples repeated, other samples as literal runs, then the end mark.
    static std::vector<std::byte> Packed(const std::vector<std::uint8_t>& row) {
        std::vector<std::byte> out;
        for (std::size_t i = 0; i < row.size();) {
            std::size_t same = 1;
            while (i + same < row.size() && row[i + same] == row[i] && same < 127)
                ++same;
            if (same >= 2) {
                out.insert(out.end(), {std::byte(same), std::byte{row[i]}});
                i += same;
            } else {
                out.insert(out.end(), {std::byte{0x81}, std::byte{row[i]}});
                ++i;
            }
        }
        out.push_back(std::byte{0});
        return out;
    }

    bool runLength_;
    int width_;
    int height_;
    int channels_;
    std::vector<std::byte> bytes_;
};

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
