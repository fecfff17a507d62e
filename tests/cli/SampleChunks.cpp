#include "SampleChunks.h"

#include <bit>

namespace vesk::test {
namespace {

std::vector<RawChunk> WithTag(const std::vector<RawChunk>& chunks, std::string_view tag) {
    std::vector<RawChunk> found;
    for (const RawChunk& chunk : chunks) {
        if (chunk.tag == tag) {
            found.push_back(chunk);
        }
    }
    return found;
}

}  // namespace

std::vector<RawChunk> RawChunks::Tagged(std::string_view tag) const {
    return WithTag(chunks, tag);
}

std::vector<RawChunk> RawSubSheet::Tagged(std::string_view tag) const {
    return WithTag(data, tag);
}

std::uint8_t Byte(std::span<const std::byte> bytes, std::size_t at) {
    return std::to_integer<std::uint8_t>(bytes[at]);
}

std::uint16_t LeU16(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(Byte(bytes, at) | (Byte(bytes, at + 1) << 8));
}

std::uint32_t LeU32(std::span<const std::byte> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | Byte(bytes, at + static_cast<std::size_t>(i));
    }
    return value;
}

std::int32_t LeI32(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<std::int32_t>(LeU32(bytes, at));
}

float LeF32(std::span<const std::byte> bytes, std::size_t at) {
    return std::bit_cast<float>(LeU32(bytes, at));
}

std::uint16_t BeU16(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<std::uint16_t>((Byte(bytes, at) << 8) | Byte(bytes, at + 1));
}

std::int32_t BeI32(std::span<const std::byte> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | Byte(bytes, at + i);
    }
    return static_cast<std::int32_t>(value);
}

RawChunks ReadRawChunks(std::span<const std::byte> file) {
    RawChunks result;
    std::size_t at = 0;
    while (at < file.size()) {
        if (12 > file.size() - at) {
            result.complete = false;
            break;
        }
        RawChunk chunk;
        chunk.identifier = LeU32(file, at);
        for (std::size_t i = 4; i < 8; ++i) {
            chunk.tag += static_cast<char>(Byte(file, at + i));
        }
        const std::uint32_t size = LeU32(file, at + 8);
        if (size > file.size() - at - 12) {
            result.complete = false;
            break;
        }
        chunk.offset = at;
        chunk.body = file.subspan(at + 12, size);
        result.chunks.push_back(chunk);
        at += 12 + static_cast<std::size_t>(size);
    }
    return result;
}

RawBuilding ReadBuilding(std::span<const std::byte> body) {
    RawBuilding building;
    building.bottom = LeF32(body, 0);
    building.roof = LeF32(body, 4);
    const std::uint32_t count = LeU32(body, 8);
    for (std::uint32_t i = 0; i < count && 12 + 8 * (i + 1) <= body.size(); ++i) {
        building.vertices.emplace_back(LeF32(body, 12 + 8 * i), LeF32(body, 16 + 8 * i));
    }
    return building;
}

RawDem ReadDem(std::span<const std::byte> body) {
    RawDem dem;
    dem.columns = LeU32(body, 0);
    dem.rows = LeU32(body, 4);
    dem.dx = LeF32(body, 8);
    dem.dy = LeF32(body, 12);
    for (std::size_t at = 16; at + 4 <= body.size(); at += 4) {
        dem.heights.push_back(LeF32(body, at));
    }
    return dem;
}

std::vector<RawSubSheet> GroupSubSheets(const RawChunks& file) {
    std::vector<RawSubSheet> groups;
    for (const RawChunk& chunk : file.chunks) {
        if (chunk.identifier == 0x110001 && chunk.tag == "AREA") {
            RawSubSheet group;
            group.number = LeI32(chunk.body, 0);
            group.originX = LeF32(chunk.body, 4);
            group.originY = LeF32(chunk.body, 8);
            groups.push_back(group);
        } else if (!groups.empty()) {
            groups.back().data.push_back(chunk);
        }
    }
    return groups;
}

}  // namespace vesk::test
