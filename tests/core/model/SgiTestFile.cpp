#include "SgiTestFile.h"

namespace vesk::test {
namespace {

std::vector<std::byte> Raw(const std::vector<std::uint8_t>& row) {
    std::vector<std::byte> out;
    for (const std::uint8_t v : row) {
        out.push_back(std::byte{v});
    }
    return out;
}

// Runs of equal samples repeated, other samples as literal runs, then the end mark.
std::vector<std::byte> Packed(const std::vector<std::uint8_t>& row) {
    std::vector<std::byte> out;
    for (std::size_t i = 0; i < row.size();) {
        std::size_t same = 1;
        while (i + same < row.size() && row[i + same] == row[i] && same < 127) {
            ++same;
        }
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

}  // namespace

SgiFile::SgiFile(bool runLength, int width, int height, int channels)
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

std::vector<std::byte> SgiFile::With(const Samples& samples) {
    std::vector<std::vector<std::byte>> rows;
    for (int c = 0; c < channels_; ++c) {
        for (int y = 0; y < height_; ++y) {
            std::vector<std::uint8_t> row;
            for (int x = 0; x < width_; ++x) {
                row.push_back(samples(x, y, c));
            }
            rows.push_back(runLength_ ? Packed(row) : Raw(row));
        }
    }
    if (runLength_) {
        auto at = static_cast<std::uint32_t>(512 + 8 * rows.size());
        for (const auto& row : rows) {
            Be(at, 4);
            at += static_cast<std::uint32_t>(row.size());
        }
        for (const auto& row : rows) {
            Be(static_cast<std::uint32_t>(row.size()), 4);
        }
    }
    for (const auto& row : rows) {
        bytes_.insert(bytes_.end(), row.begin(), row.end());
    }
    return bytes_;
}

void SgiFile::Be(std::uint32_t value, int size) {
    for (int i = size - 1; i >= 0; --i) {
        bytes_.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace vesk::test
