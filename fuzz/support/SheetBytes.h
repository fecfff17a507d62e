#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vesk::fuzz {

// The sheet's bytes decoded here rather than with the reader's code, so that
// a mistake the two share cannot hide.

// The little-endian 32-bit number at offset, when the sheet holds it whole.
std::optional<std::uint32_t> U32At(std::span<const std::byte> sheet, std::uint64_t offset);

// The body of the chunk whose 12-byte header is at position, when the sheet holds it whole.
std::optional<std::string_view> WholeChunkBody(std::span<const std::byte> sheet,
                                               std::uint32_t position);

}  // namespace vesk::fuzz
