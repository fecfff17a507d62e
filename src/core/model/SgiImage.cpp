#include "model/SgiImage.h"

#include <variant>

#include "sheet/ByteSource.h"
#include "sheet/SgiLayout.h"
#include "sheet/SgiRows.h"

namespace vesk {
namespace {

// Puts one row of one channel into the image; SGI rows go from the bottom up.
void PlaceRow(RgbaImage& image, const SgiHeader& header, std::uint64_t row,
              std::span<const std::byte> samples) {
    const auto channel = static_cast<std::uint32_t>(row / header.height);
    const auto y = static_cast<std::uint32_t>(row % header.height);
    std::uint8_t* out = image.pixels.data() + std::size_t{header.height - 1 - y} * header.width * 4;
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

}  // namespace

std::variant<RgbaImage, std::string> DecodeSgiImage(std::span<const std::byte> file) {
    MemoryByteSource source(file);
    const auto read = ReadSgiHeader(source);
    if (const auto* fault = std::get_if<std::string>(&read)) {
        return *fault;
    }
    const SgiHeader& header = std::get<SgiHeader>(read);
    RgbaImage image{header.width, header.height, {}};
    image.pixels.assign(static_cast<std::size_t>(header.Pixels()) * 4, 0xFF);
    std::string fault =
        ReadSgiRows(source, header, [&](std::uint64_t row, std::span<const std::byte> samples) {
            PlaceRow(image, header, row, samples);
        });
    if (!fault.empty()) {
        return fault;
    }
    return image;
}

}  // namespace vesk
