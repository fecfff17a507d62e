#include "BitmapFile.h"

#include "ByteWriter.h"

namespace vesk::sample {
namespace {

constexpr std::uint32_t kHeadersSize = 14 + 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

std::uint64_t RowBytes(int width) {
    return (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
}

void PutHeaders(ByteSink& sink, const Raster& raster) {
    const std::uint64_t pixelBytes = RowBytes(raster.Width()) * raster.Height();
    ByteWriter header;
    header.Text("BM");
    header.U32(static_cast<std::uint32_t>(kHeadersSize + pixelBytes));
    header.U16(0);
    header.U16(0);
    header.U32(kHeadersSize);
    header.U32(40);
    header.I32(raster.Width());
    header.I32(raster.Height());  // positive: rows bottom-up
    header.U16(1);                // planes
    header.U16(24);               // bits per pixel
    header.U32(0);                // BI_RGB
    header.U32(static_cast<std::uint32_t>(pixelBytes));
    header.I32(kPixelsPerMetre);
    header.I32(kPixelsPerMetre);
    header.U32(0);  // colours used
    header.U32(0);  // colours important
    sink.Put(header.Bytes());
}

}  // namespace

std::uint64_t BitmapFileSize(int width, int height) {
    return kHeadersSize + RowBytes(width) * static_cast<std::uint64_t>(height);
}

void PutBitmapFile(ByteSink& sink, const Raster& raster) {
    PutHeaders(sink, raster);
    std::vector<std::byte> row(RowBytes(raster.Width()));
    for (int y = raster.Height() - 1; y >= 0; --y) {
        const std::uint8_t* rgb = raster.Row(y);
        for (int x = 0; x < raster.Width(); ++x) {
            row[3 * x] = std::byte{rgb[3 * x + 2]};
            row[3 * x + 1] = std::byte{rgb[3 * x + 1]};
            row[3 * x + 2] = std::byte{rgb[3 * x]};
        }
        sink.Put(row);
    }
}

}  // namespace vesk::sample
