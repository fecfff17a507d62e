#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sheet/ByteReader.h"

namespace vesk {

inline constexpr std::uint32_t kChunkHeaderSize = 12;

// The 12 bytes before every chunk body: identifier (its nibbles give the level),
// four tag letters and the body size, little-endian.
struct ChunkHeader {
    std::uint32_t identifier = 0;
    std::array<char, 4> tag{};
    std::uint32_t bodySize = 0;
};

// 4 to 1 from the identifier's nibbles, highest-priority test first; 0 when no
// level bit is set, which ends any walk.
int ChunkLevel(std::uint32_t identifier);

// One row of the chunk catalogue: a header matches when identifier and tag are
// equal and, for the two AREA chunks, the body size too.
struct ChunkKind {
    std::uint32_t identifier;
    std::string_view tag;
    std::optional<std::uint32_t> bodySize;
};

inline constexpr ChunkKind kSheetAreaChunk{0x100001, "AREA", 24};
inline constexpr ChunkKind kNameChunk{0x100000, "NAME", std::nullopt};
inline constexpr ChunkKind kImageChunk{0x100000, "IDXB", std::nullopt};
inline constexpr ChunkKind kSubSheetAreaChunk{0x110001, "AREA", 20};
inline constexpr ChunkKind kBuildingChunk{0x111001, "STRC", std::nullopt};
inline constexpr ChunkKind kDemChunk{0x112001, "DEMF", std::nullopt};
inline constexpr ChunkKind kOrthoChunk{0x113001, "ORTS", std::nullopt};

bool Matches(const ChunkHeader& header, const ChunkKind& kind);

// Reads a header at the reader's position; nothing when 12 bytes are not left.
std::optional<ChunkHeader> ReadChunkHeader(ByteReader& reader);

}  // namespace vesk
