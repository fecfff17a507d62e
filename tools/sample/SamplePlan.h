#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BuildingSet.h"
#include "Geometry.h"
#include "SampleSheet.h"
#include "StreetPlan.h"
#include "Terrain.h"

namespace vesk::sample {

inline constexpr int kSubSheetCount = 25;
inline constexpr float kSheetWidth = 2000.0f;
inline constexpr float kSheetHeight = 1500.0f;
inline constexpr float kSubSheetWidth = 400.0f;
inline constexpr float kSubSheetHeight = 300.0f;

struct SubSheetPlan {
    std::int32_t number = 0;
    float originX = 0.0f;
    float originY = 0.0f;
    BuildingSet buildings;

    PlaneRect Area() const {
        return {originX, originY, static_cast<double>(originX) + kSubSheetWidth,
                static_cast<double>(originY) + kSubSheetHeight};
    }
};

// Everything a sample sheet shows, worked out before a byte is written: the
// place (ground and streets), the name, and each sub-sheet's buildings.
struct SamplePlan {
    explicit SamplePlan(const SampleOptions& options);

    PlaneRect SheetArea() const;
    // The exact size of the file these options make.
    std::uint64_t FileSize() const;

    const SampleOptions& options;
    Terrain terrain;
    StreetPlan streets;
    std::string nameShiftJis;
    std::vector<SubSheetPlan> subSheets;  // in number order
};

// Sub-sheet n lies at column n % 5 and row n / 5 counted from the north-west,
// the reading order of the block numbers on the sheet image.
SubSheetPlan PlaceSubSheet(const SampleOptions& options, int number);

}  // namespace vesk::sample
