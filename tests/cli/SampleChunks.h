#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vesk::test {

// A sheet file's chunks read straight from the bytes, so the sample generator is
// checked against the file layout rather than against the program's reader.
// Bodies are views into the file's bytes, which must outlive them.
struct RawChunk {
    std::uint32_t identifier = 0;
    std::string tag;
    std::size_t offset = 0;
    std::span<const std::byte> body;
};

// Every chunk from offset 0; complete is false when a header or body runs past the end.
struct RawChunks {
    std::vector<RawChunk> chunks;
    bool complete = true;

    std::vector<RawChunk> Tagged(std::string_view tag) const;
};

RawChunks ReadRawChunks(std::span<const std::byte> file);

std::uint32_t LeU32(std::span<const std::byte> bytes, std::size_t at);
std::int32_t LeI32(std::span<const std::byte> bytes, std::size_t at);
float LeF32(std::span<const std::byte> bytes, std::size_t at);
std::uint16_t LeU16(std::span<const std::byte> bytes, std::size_t at);
std::uint16_t BeU16(std::span<const std::byte> bytes, std::size_t at);
std::int32_t BeI32(std::span<const std::byte> bytes, std::size_t at);
std::uint8_t Byte(std::span<const std::byte> bytes, std::size_t at);

// One building of a STRC body.
struct RawBuilding {
    float bottom = 0.0f;
    float roof = 0.0f;
    std::vector<std::pair<float, float>> vertices;
};
RawBuilding ReadBuilding(std::span<const std::byte> body);

// A DEMF body, heights row after row from the south.
struct RawDem {
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    float dx = 0.0f;
    float dy = 0.0f;
    std::vector<float> heights;

    float At(std::uint32_t row, std::uint32_t column) const {
        return heights[row * columns + column];
    }
};
RawDem ReadDem(std::span<const std::byte> body);

// A sub-sheet's group: its AREA body values and the chunks after it.
struct RawSubSheet {
    std::int32_t number = -1;
    float originX = 0.0f;
    float originY = 0.0f;
    std::vector<RawChunk> data;

    std::vector<RawChunk> Tagged(std::string_view tag) const;
};
std::vector<RawSubSheet> GroupSubSheets(const RawChunks& file);

}  // namespace vesk::test
