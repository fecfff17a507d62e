#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vesk {

// The 24-byte body of the sheet AREA chunk.
struct SheetArea {
    std::int32_t scale = 0;
    std::int32_t zone = 0;
    float originX = 0.0f;
    float originY = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    // A 1/2500 sheet of 2000 m by 1500 m, compared exactly as stored.
    bool IsValidSheet() const { return scale == 2500 && width == 2000.0f && height == 1500.0f; }
};

inline constexpr std::size_t kSheetAreaSize = 24;

SheetArea DecodeSheetArea(std::span<const std::byte, kSheetAreaSize> body);

// The 20-byte body of a sub-sheet AREA chunk.
struct SubSheetArea {
    std::int32_t number = 0;
    float originX = 0.0f;
    float originY = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    bool HasSubSheetSize() const { return width == 400.0f && height == 300.0f; }
    bool HasValidNumber() const { return static_cast<std::uint32_t>(number) <= 24; }
};

inline constexpr std::size_t kSubSheetAreaSize = 20;

SubSheetArea DecodeSubSheetArea(std::span<const std::byte, kSubSheetAreaSize> body);

}  // namespace vesk
