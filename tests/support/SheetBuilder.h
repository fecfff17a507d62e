#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace vesk::test {

// Little-endian bytes for test files, written here rather than with the
// reader's own helpers so a shared mistake cannot hide.
class ByteWriter {
public:
    void U8(std::uint8_t v) { bytes_.push_back(std::byte{v}); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void F32(float v);
    void Text(std::string_view text);
    void Bytes(std::span<const std::byte> bytes);

    const std::vector<std::byte>& Data() const { return bytes_; }
    std::vector<std::byte>& Data() { return bytes_; }

private:
    std::vector<std::byte> bytes_;
};

struct BitmapLayout {
    int width = 10;
    int height = 10;
    int bitCount = 24;
    std::uint32_t compression = 0;
    // Overrides for corrupt files; left at their defaults they are consistent.
    std::string_view signature = "BM";
    std::int64_t fileSize = -1;     // bfSize; -1 gives 54 + pixel bytes
    std::int64_t pixelOffset = 54;  // bfOffBits
    std::int64_t pixelBytes = -1;   // bytes of pixel data written; -1 gives what the rows need
};

// A whole bitmap file; pixel (x, y) of row y counted from the bottom gets the
// byte value (x * 7 + y * 13 + channel) & 0xFF in each of its bytes.
std::vector<std::byte> MakeBitmap(const BitmapLayout& layout);

// Builds a sheet file chunk by chunk.
class SheetBuilder {
public:
    // A chunk whose body size field says what the body holds.
    SheetBuilder& Chunk(std::uint32_t identifier, std::string_view tag,
                        std::span<const std::byte> body);
    // A chunk whose body size field claims sizeField, whatever follows.
    SheetBuilder& ChunkClaiming(std::uint32_t identifier, std::string_view tag,
                                std::uint32_t sizeField, std::span<const std::byte> body);
    SheetBuilder& Raw(std::span<const std::byte> bytes);

    SheetBuilder& SheetArea(std::int32_t scale, std::int32_t zone, float x, float y,
                            float width = 2000.0f, float height = 1500.0f);
    SheetBuilder& Name(std::string_view shiftJisBytes);
    SheetBuilder& Image(const BitmapLayout& layout = {});
    SheetBuilder& SubSheetArea(std::int32_t number, float x, float y, float width = 400.0f,
                               float height = 300.0f);
    SheetBuilder& Building(float bottom, float roof,
                           const std::vector<std::pair<float, float>>& vertices);
    SheetBuilder& Dem(std::uint32_t columns, std::uint32_t rows, float dx, float dy,
                      const std::vector<float>& heights);
    SheetBuilder& Ortho(std::span<const std::byte> imageFile);

    // The offset at which the next chunk will start.
    std::uint32_t Offset() const { return static_cast<std::uint32_t>(bytes_.size()); }
    const std::vector<std::byte>& Bytes() const { return bytes_; }
    bool WriteTo(const std::filesystem::path& path) const;

private:
    std::vector<std::byte> bytes_;
};

// A standard sheet: area at (x0, y0) of the zone, a name, a width x height image.
SheetBuilder StandardSheet(float x0, float y0, int zone = 9, int imageWidth = 500,
                           int imageHeight = 375);

}  // namespace vesk::test
