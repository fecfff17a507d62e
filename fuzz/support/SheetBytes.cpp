#include "SheetBytes.h"

namespace vesk::fuzz {
namespace {

constexpr std::size_t kChunkHeaderBytes = 12;
constexpr std::size_t kBodySizeOffset = 8;

}  // namespace

std::optional<std::uint32_t> U32At(std::span<const std::byte> sheet, std::uint64_t offset) {
    if (offset > sheet.size() || sheet.size() - offset < 4) {
        return std::nullopt;
    }
    const std::byte* at = sheet.data() + offset;
    return std::to_integer<std::uint32_t>(at[0]) | std::to_integer<std::uint32_t>(at[1]) << 8 |
           std::to_integer<std::uint32_t>(at[2]) << 16 |
           std::to_integer<std::uint32_t>(at[3]) << 24;
}

std::optional<std::string_view> WholeChunkBody(std::span<const std::byte> sheet,
                                               std::uint32_t position) {
    const auto bodySize = U32At(sheet, std::uint64_t{position} + kBodySizeOffset);
    const std::size_t bodyStart = std::size_t{position} + kChunkHeaderBytes;
    if (!bodySize || *bodySize > sheet.size() - bodyStart) {
        return std::nullopt;
    }
    return std::string_view(reinterpret_cast<const char*>(sheet.data()) + bodyStart, *bodySize);
}

}  // namespace vesk::fuzz
