#pragma once

#include <cstdint>
#include <vector>

#include "sheet/PixelRect.h"

namespace vesk {

inline constexpr int kSubSheetCount = 25;

// What loading learnt about one of the 25 sub-sheets: where its data chunks lie
// in the sheet file, its area, and its rectangle on the sheet image.
struct SubSheetRecord {
    int buildingCount = 0;
    bool hasDem = false;
    bool hasOrtho = false;
    std::vector<std::uint32_t> buildingPositions;  // header offsets of its STRC chunks, file order
    std::uint32_t demPosition = 0;
    std::uint32_t orthoPosition = 0;
    int zone = 0;
    float originX = 0.0f;
    float originY = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    PixelRect rect;  // empty until the sub-sheet is read by the current load
};

}  // namespace vesk
