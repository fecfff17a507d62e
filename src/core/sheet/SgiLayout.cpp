#include "sheet/SgiLayout.h"

#include <array>

#include "sheet/BigEndian.h"
#include "sheet/ByteReader.h"

namespace vesk {
namespace {

constexpr std::uint16_t kMagic = 474;
constexpr std::uint8_t kVerbatim = 0;
constexpr std::uint8_t kRunLength = 1;
constexpr std::uint64_t kMostPixelsPerPackedByte = 16;

// Where the header keeps its fields.
constexpr std::size_t kMagicAt = 0;
constexpr std::size_t kStorageAt = 2;
constexpr std::size_t kBytesPerChannelAt = 3;
constexpr std::size_t kDimensionAt = 4;
constexpr std::size_t kWidthAt = 6;
constexpr std::size_t kHeightAt = 8;
constexpr std::size_t kChannelsAt = 10;
constexpr std::size_t kColourMapAt = 104;

const char* const kNotRead = "only 8-bit images with 1 to 4 channels are read";

std::uint8_t Byte(std::span<const std::byte> bytes, std::size_t at) {
    return std::to_integer<std::uint8_t>(bytes[at]);
}

// Storage, bytes per channel, colour map and dimension of a kind that is read.
bool IsReadableFormat(std::span<const std::byte> bytes) {
    const std::uint8_t storage = Byte(bytes, kStorageAt);
    const std::uint16_t dimension = DecodeU16BigEndian(&bytes[kDimensionAt]);
    return (storage == kVerbatim || storage == kRunLength) &&
           Byte(bytes, kBytesPerChannelAt) == 1 && DecodeU32BigEndian(&bytes[kColourMapAt]) == 0 &&
           dimension >= 1 && dimension <= 3;
}

// A one-dimensional image is one row, a two-dimensional one one channel.
SgiHeader Decode(std::span<const std::byte> bytes) {
    const std::uint16_t dimension = DecodeU16BigEndian(&bytes[kDimensionAt]);
    return {Byte(bytes, kStorageAt) == kRunLength, DecodeU16BigEndian(&bytes[kWidthAt]),
            dimension >= 2 ? DecodeU16BigEndian(&bytes[kHeightAt]) : 1u,
            dimension == 3 ? DecodeU16BigEndian(&bytes[kChannelsAt]) : 1u};
}

bool BytesHoldImage(const SgiHeader& header, std::uint64_t fileSize) {
    const std::uint64_t bytes = fileSize - kSgiHeaderBytes;
    if (!header.runLength) {
        return header.Samples() <= bytes;
    }
    return (header.Pixels() + kMostPixelsPerPackedByte - 1) / kMostPixelsPerPackedByte <= bytes;
}

bool ReadTable(ByteReader& reader, std::uint64_t count, std::vector<std::uint32_t>& table) {
    if (count > reader.Remaining() / 4) {
        return false;
    }
    std::vector<std::byte> bytes(static_cast<std::size_t>(count) * 4);
    if (!reader.Read(bytes)) {
        return false;
    }
    table.resize(static_cast<std::size_t>(count));
    for (std::size_t k = 0; k < table.size(); ++k) {
        table[k] = DecodeU32BigEndian(&bytes[4 * k]);
    }
    return true;
}

}  // namespace

std::variant<SgiHeader, std::string> ReadSgiHeader(ByteSource& file) {
    std::array<std::byte, kSgiHeaderBytes> bytes{};
    ByteReader reader(file);
    if (!reader.Read(bytes)) {
        return std::string("the file is shorter than its 512-byte header");
    }
    if (DecodeU16BigEndian(&bytes[kMagicAt]) != kMagic) {
        return std::string("it is not an SGI image (no magic number 474)");
    }
    if (!IsReadableFormat(bytes)) {
        return std::string(kNotRead);
    }
    const SgiHeader header = Decode(bytes);
    if (header.width == 0 || header.height == 0 || header.channels < 1 || header.channels > 4) {
        return std::string(kNotRead);
    }
    if (!BytesHoldImage(header, file.Size())) {
        return std::string("it claims more pixels than its bytes hold");
    }
    return header;
}

std::optional<SgiRowTable> ReadSgiRowTable(ByteSource& file, const SgiHeader& header) {
    ByteReader reader(file, kSgiHeaderBytes);
    SgiRowTable table;
    if (!ReadTable(reader, header.Rows(), table.starts) ||
        !ReadTable(reader, header.Rows(), table.lengths)) {
        return std::nullopt;
    }
    return table;
}

}  // namespace vesk
