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
};

// The header of the file, or why it is not read: the file is shorter than it,
// has no SGI magic number, or is other than 8 bits in 1 to 4 channels stored
// verbatim or run-length encoded.
std::variant<SgiHeader, std::string> ReadSgiHeader(ByteSource& file);

// Whether the bytes after the header can hold the samples the header claims:
// one byte each verbatim, at most 64 a byte run-length encoded (a run of two
// bytes gives at most 127 samples).
bool SgiBytesHoldSamples(const SgiHeader& header, std::uint64_t fileSize);

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
