#include "SgiImage.h"

#include <vector>

#include "ByteWriter.h"

namespace vesk::sample {
namespace {

constexpr std::uint16_t kMagic = 474;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kNameField = 80;

void PutHeader(ByteSink& sink, const Raster& raster, std::string_view name) {
    ByteWriter header;
    header.U16BigEndian(kMagic);
    header.U8(0);  // storage: verbatim
    header.U8(1);  // bytes per channel
    header.U16BigEndian(3);
    header.U16BigEndian(static_cast<std::uint16_t>(raster.Width()));
    header.U16BigEndian(static_cast<std::uint16_t>(raster.Height()));
    header.U16BigEndian(3);
    header.I32BigEndian(0);    // smallest pixel value
    header.I32BigEndian(255);  // largest pixel value
    header.Zeros(4);
    const std::string_view shown = name.substr(0, kNameField - 1);
    header.Text(shown);
    header.Zeros(kNameField - shown.size());
    header.I32BigEndian(0);  // colour map: normal
    header.Zeros(kHeaderSize - header.Size());
    sink.Put(header.Bytes());
}

}  // namespace

std::uint64_t SgiImageSize(int width, int height) {
    return kHeaderSize + 3 * static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
}

void PutSgiImage(ByteSink& sink, const Raster& raster, std::string_view name) {
    PutHeader(sink, raster, name);
    std::vector<std::byte> row(static_cast<std::size_t>(raster.Width()));
    for (int channel = 0; channel < 3; ++channel) {
        for (int y = raster.Height() - 1; y >= 0; --y) {
            const std::uint8_t* rgb = raster.Row(y);
            for (int x = 0; x < raster.Width(); ++x) {
                row[x] = std::byte{rgb[3 * x + channel]};
            }
            sink.Put(row);
        }
    }
}

}  // namespace vesk::sample
