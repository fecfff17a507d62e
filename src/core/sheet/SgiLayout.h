#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sheet/ByteSource.h"

namespace vesk {

// An SGI image file as a sheet's texture carries it: a 512-byte big-endian
// header, then the samples plane by plane and row by row from the bottom,
// verbatim or run-length encoded behind two tables that say where each row
// lies. Read here without its pixels, so that its soundness can be checked
// without decoding it.
inline constexpr std::uint64_t kSgiHeaderBytes = 512;

struct SgiHeader {
    bool runLength = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t channels = 0;

    // The rows of all planes: row k is row k % height of channel k / height.
    std::uint64_t Rows() const { return std::uint64_t{height} * channels; }
    std::uint64_t Samples() const { return Rows() * width; }
    std::uint64_t Pixels() const { return std::uint64_t{width} * height; }
};

// The header of the file, or why it is not read: the file is shorter than it,
// has no SGI magic number, is other than 8 bits in 1 to 4 channels stored
// verbatim or run-length encoded, or claims more pixels than the bytes after
// the header hold. Those hold one sample a byte verbatim and at most 16 pixels
// a byte run-length encoded: a run of two bytes gives at most 127 samples,
// under 64 a byte, which are 16 pixels of four channels. An image is decoded
// to four bytes a pixel, so no image of fewer channels is let have more
// pixels a byte either: what its decoding allocates stays within 64 times its
// bytes, and only images packed tighter than an RGBA image can be (a grey or
// colour texture of nearly one sample throughout) are refused.
std::variant<SgiHeader, std::string> ReadSgiHeader(ByteSource& file);

// Where each row of a run-length image starts in the file and how many bytes
// it is packed in, in the order of SgiHeader::Rows.
struct SgiRowTable {
    std::vector<std::uint32_t> starts;
    std::vector<std::uint32_t> lengths;
};

// The two tables that follow the header; nothing when they run past the end
// of the file, which is checked before anything is allocated for them.
std::optional<SgiRowTable> ReadSgiRowTable(ByteSource& file, const SgiHeader& header);

}  // namespace vesk
