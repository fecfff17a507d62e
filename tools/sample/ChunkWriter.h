#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "ByteSink.h"

namespace vesk::sample {

// Identifiers of the sheet file's chunks; their nibbles give the level.
inline constexpr std::uint32_t kSheetAreaId = 0x100001;
inline constexpr std::uint32_t kSheetTextId = 0x100000;  // NAME and IDXB
inline constexpr std::uint32_t kSubSheetAreaId = 0x110001;
inline constexpr std::uint32_t kBuildingId = 0x111001;
inline constexpr std::uint32_t kDemId = 0x112001;
inline constexpr std::uint32_t kOrthoId = 0x113001;

inline constexpr std::uint64_t kChunkHeaderSize = 12;

// The 12-byte header; the body of bodySize bytes must follow at once.
void PutChunkHeader(ByteSink& sink, std::uint32_t identifier, std::string_view tag,
                    std::uint32_t bodySize);

// A whole chunk whose body is already at hand.
void PutChunk(ByteSink& sink, std::uint32_t identifier, std::string_view tag,
              std::span<const std::byte> body);

}  // namespace vesk::sample
