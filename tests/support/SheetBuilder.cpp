#include "SheetBuilder.h"

#include <bit>
#include <fstream>

namespace vesk::test {

void ByteWriter::U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v & 0xFF));
    U8(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v & 0xFFFF));
    U16(static_cast<std::uint16_t>(v >> 16));
}

void ByteWriter::F32(float v) {
    U32(std::bit_cast<std::uint32_t>(v));
}

void ByteWriter::Text(std::string_view text) {
    for (char c : text) {
        U8(static_cast<std::uint8_t>(c));
    }
}

void ByteWriter::Bytes(std::span<const std::byte> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

std::vector<std::byte> MakeBitmap(const BitmapLayout& layout) {
    const std::int64_t rowBytes = (std::int64_t{layout.width} * layout.bitCount + 31) / 32 * 4;
    const std::int64_t rowsNeed = rowBytes * (layout.height < 0 ? -layout.height : layout.height);
    const std::int64_t pixelBytes = layout.pixelBytes >= 0 ? layout.pixelBytes : rowsNeed;
    const std::int64_t fileSize = layout.fileSize >= 0 ? layout.fileSize : 54 + pixelBytes;
    ByteWriter w;
    w.Text(layout.signature);
    w.U32(static_cast<std::uint32_t>(fileSize));
    w.U16(0);
    w.U16(0);
    w.U32(static_cast<std::uint32_t>(layout.pixelOffset));
    w.U32(40);
    w.I32(layout.width);
    w.I32(layout.height);
    w.U16(1);
    w.U16(static_cast<std::uint16_t>(layout.bitCount));
    w.U32(layout.compression);
    w.U32(static_cast<std::uint32_t>(rowsNeed));
    w.I32(2835);
    w.I32(2835);
    w.U32(0);
    w.U32(0);
    const int bytesPerPixel = layout.bitCount / 8;
    for (std::int64_t i = 0; i < pixelBytes; ++i) {
        const std::int64_t y = rowBytes > 0 ? i / rowBytes : 0;
        const std::int64_t inRow = rowBytes > 0 ? i % rowBytes : i;
        const std::int64_t x = bytesPerPixel > 0 ? inRow / bytesPerPixel : 0;
        const std::int64_t channel = bytesPerPixel > 0 ? inRow % bytesPerPixel : 0;
        w.U8(static_cast<std::uint8_t>((x * 7 + y * 13 + channel) & 0xFF));
    }
    return w.Data();
}

SheetBuilder& SheetBuilder::Chunk(std::uint32_t identifier, std::string_view tag,
                                  std::span<const std::byte> body) {
    return ChunkClaiming(identifier, tag, static_cast<std::uint32_t>(body.size()), body);
}

SheetBuilder& SheetBuilder::ChunkClaiming(std::uint32_t identifier, std::string_view tag,
                                          std::uint32_t sizeField,
                                          std::span<const std::byte> body) {
    ByteWriter w;
    w.U32(identifier);
    w.Text(tag.substr(0, 4));
    for (std::size_t i = tag.size(); i < 4; ++i) {
        w.U8(' ');
    }
    w.U32(sizeField);
    w.Bytes(body);
    return Raw(w.Data());
}

SheetBuilder& SheetBuilder::Raw(std::span<const std::byte> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

SheetBuilder& SheetBuilder::SheetArea(std::int32_t scale, std::int32_t zone, float x, float y,
                                      float width, float height) {
    ByteWriter w;
    w.I32(scale);
    w.I32(zone);
    w.F32(x);
    w.F32(y);
    w.F32(width);
    w.F32(height);
    return Chunk(0x100001, "AREA", w.Data());
}

SheetBuilder& SheetBuilder::Name(std::string_view shiftJisBytes) {
    ByteWriter w;
    w.Text(shiftJisBytes);
    return Chunk(0x100000, "NAME", w.Data());
}

SheetBuilder& SheetBuilder::Image(const BitmapLayout& layout) {
    return Chunk(0x100000, "IDXB", MakeBitmap(layout));
}

SheetBuilder& SheetBuilder::SubSheetArea(std::int32_t number, float x, float y, float width,
                                         float height) {
    ByteWriter w;
    w.I32(number);
    w.F32(x);
    w.F32(y);
    w.F32(width);
    w.F32(height);
    return Chunk(0x110001, "AREA", w.Data());
}

SheetBuilder& SheetBuilder::Building(float bottom, float roof,
                                     const std::vector<std::pair<float, float>>& vertices) {
    ByteWriter w;
    w.F32(bottom);
    w.F32(roof);
    w.U32(static_cast<std::uint32_t>(vertices.size()));
    for (const auto& [x, y] : vertices) {
        w.F32(x);
        w.F32(y);
    }
    return Chunk(0x111001, "STRC", w.Data());
}

SheetBuilder& SheetBuilder::Dem(std::uint32_t columns, std::uint32_t rows, float dx, float dy,
                                const std::vector<float>& heights) {
    ByteWriter w;
    w.U32(columns);
    w.U32(rows);
    w.F32(dx);
    w.F32(dy);
    for (float h : heights) {
        w.F32(h);
    }
    return Chunk(0x112001, "DEMF", w.Data());
}

SheetBuilder& SheetBuilder::Ortho(std::span<const std::byte> imageFile) {
    return Chunk(0x113001, "ORTS", imageFile);
}

bool SheetBuilder::WriteTo(const std::filesystem::path& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes_.data()),
              static_cast<std::streamsize>(bytes_.size()));
    return static_cast<bool>(out);
}

SheetBuilder StandardSheet(float x0, float y0, int zone, int imageWidth, int imageHeight) {
    SheetBuilder sheet;
    sheet.SheetArea(2500, zone, x0, y0)
        .Name("\x83\x65\x83\x58\x83\x67")
        .Image({.width = imageWidth, .height = imageHeight});
    return sheet;
}

}  // namespace vesk::test
