#include "model/SgiImage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "sheet/ByteReader.h"

namespace vesk {
namespace {

constexpr std::uint16_t kMagic = 474;
constexpr std::uint64_t kHeaderBytes = 512;
constexpr std::uint8_t kVerbatim = 0;
constexpr std::uint8_t kRunLength = 1;
// One run of two bytes gives at most 127 samples.
constexpr std::uint64_t kMostSamplesPerByte = 64;

struct SgiHeader {
    bool runLength = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t channels = 0;

    std::uint64_t Samples() const { return std::uint64_t{width} * height * channels; }
};

// SGI files are big-endian, unlike the sheet file around them.
std::optional<std::uint32_t> ReadBigEndian(ByteReader& reader, std::size_t bytes) {
    std::array<std::byte, 4> raw{};
    if (!reader.Read(std::span(raw).first(bytes))) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        value = (value << 8) | std::to_integer<std::uint32_t>(raw[i]);
    }
    return value;
}

std::variant<SgiHeader, std::string> ReadHeader(ByteReader& reader) {
    if (reader.Size() < kHeaderBytes) {
        return std::string("the file is shorter than its 512-byte header");
    }
    const auto magic = ReadBigEndian(reader, 2);
    const auto storage = ReadBigEndian(reader, 1);
    const auto bytesPerChannel = ReadBigEndian(reader, 1);
    const auto dimension = ReadBigEndian(reader, 2);
    const auto x = ReadBigEndian(reader, 2);
    const auto y = ReadBigEndian(reader, 2);
    const auto z = ReadBigEndian(reader, 2);
    reader.Seek(104);
    const auto colourMap = ReadBigEndian(reader, 4);
    if (*magic != kMagic) {
        return std::string("it is not an SGI image (no magic number 474)");
    }
    if ((*storage != kVerbatim && *storage != kRunLength) || *bytesPerChannel != 1 ||
        *colourMap != 0 || *dimension < 1 || *dimension > 3) {
        return std::string("only 8-bit images with 1 to 4 channels are read");
    }
    SgiHeader header{*storage == kRunLength, *x, *dimension >= 2 ? *y : 1,
                     *dimension == 3 ? *z : 1};
    if (header.width == 0 || header.height == 0 || header.channels < 1 || header.channels > 4) {
        return std::string("only 8-bit images with 1 to 4 channels are read");
    }
    return header;
}

// Puts one row of one channel into the image; SGI rows go from the bottom up.
void PlaceRow(RgbaImage& image, const SgiHeader& header, std::uint32_t channel, std::uint32_t row,
              std::span<const std::byte> samples) {
    std::uint8_t* out =
        image.pixels.data() + std::size_t{header.height - 1 - row} * header.width * 4;
    const bool grey = header.channels <= 2;
    for (std::uint32_t x = 0; x < header.width; ++x) {
        const auto value = std::to_integer<std::uint8_t>(samples[x]);
        if (grey && channel == 0) {
            out[4 * x] = out[4 * x + 1] = out[4 * x + 2] = value;
        } else {
            out[4 * x + (grey ? 3 : channel)] = value;
        }
    }
}

// Expands one run-length row; false when a run overshoots the row or the row's bytes.
bool ExpandRow(std::span<const std::byte> packed, std::span<std::byte> row) {
    std::size_t in = 0;
    std::size_t out = 0;
    while (in < packed.size()) {
        const auto control = std::to_integer<std::uint8_t>(packed[in++]);
        const std::size_t count = control & 0x7F;
        if (count == 0) {
            break;
        }
        if (count > row.size() - out) {
            return false;
        }
        if ((control & 0x80) != 0) {
            if (count > packed.size() - in) {
                return false;
            }
            std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(in), count,
                        row.begin() + static_cast<std::ptrdiff_t>(out));
            in += count;
        } else {
            if (in >= packed.size()) {
                return false;
            }
            std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(out), count, packed[in++]);
        }
        out += count;
    }
    return out == row.size();
}

class SgiDecoder {
public:
    SgiDecoder(ByteReader& reader, const SgiHeader& header) : reader_(reader), header_(header) {
        image_.width = header.width;
        image_.height = header.height;
        image_.pixels.assign(std::size_t{header.width} * header.height * 4, 0xFF);
        row_.resize(header.width);
    }

    std::string DecodeVerbatim() {
        reader_.Seek(kHeaderBytes);
        for (std::uint32_t channel = 0; channel < header_.channels; ++channel) {
            for (std::uint32_t row = 0; row < header_.height; ++row) {
                if (!reader_.Read(row_)) {
                    return "its pixels run past the end of the file";
                }
                PlaceRow(image_, header_, channel, row, row_);
            }
        }
        return {};
    }

    std::string DecodeRunLength() {
        const std::uint64_t rows = std::uint64_t{header_.height} * header_.channels;
        std::vector<std::uint32_t> starts;
        std::vector<std::uint32_t> lengths;
        reader_.Seek(kHeaderBytes);
        if (!ReadTable(rows, starts) || !ReadTable(rows, lengths)) {
            return "its row tables run past the end of the file";
        }
        for (std::uint64_t k = 0; k < rows; ++k) {
            if (!ReadPackedRow(starts[k], lengths[k]) || !ExpandRow(packed_, row_)) {
                return "row " + std::to_string(k % header_.height) + " of channel " +
                       std::to_string(k / header_.height) + " is damaged";
            }
            PlaceRow(image_, header_, static_cast<std::uint32_t>(k / header_.height),
                     static_cast<std::uint32_t>(k % header_.height), row_);
        }
        return {};
    }

    RgbaImage Take() { return std::move(image_); }

private:
    bool ReadTable(std::uint64_t count, std::vector<std::uint32_t>& table) {
        if (count > reader_.Remaining() / 4) {
            return false;
        }
        table.resize(static_cast<std::size_t>(count));
        for (std::uint32_t& entry : table) {
            entry = *ReadBigEndian(reader_, 4);
        }
        return true;
    }

    bool ReadPackedRow(std::uint32_t start, std::uint32_t length) {
        reader_.Seek(start);
        if (length > reader_.Remaining()) {
            return false;
        }
        packed_.resize(length);
        return reader_.Read(packed_);
    }

    ByteReader& reader_;
    const SgiHeader& header_;
    RgbaImage image_;
    std::vector<std::byte> row_;
    std::vector<std::byte> packed_;
};

}  // namespace

std::variant<RgbaImage, std::string> DecodeSgiImage(std::span<const std::byte> file) {
    MemoryByteSource source(file);
    ByteReader reader(source);
    auto header = ReadHeader(reader);
    if (const auto* fault = std::get_if<std::string>(&header)) {
        return *fault;
    }
    const SgiHeader& sgi = std::get<SgiHeader>(header);
    const std::uint64_t pixelBytes = file.size() - kHeaderBytes;
    const std::uint64_t backed = sgi.runLength ? pixelBytes * kMostSamplesPerByte : pixelBytes;
    if (sgi.Samples() > backed) {
        return std::string("it claims more pixels than its bytes hold");
    }
    SgiDecoder decoder(reader, sgi);
    std::string fault = sgi.runLength ? decoder.DecodeRunLength() : decoder.DecodeVerbatim();
    if (!fault.empty()) {
        return fault;
    }
    return decoder.Take();
}

}  // namespace vesk
