#pragma once

#include <cmath>

#include "model/FootprintPoint.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// The sides of a block on the sheet's grid, in metres.
inline constexpr double kBlockWidth = 400.0;
inline constexpr double kBlockHeight = 300.0;

// A block whose origin is no number lies nowhere: its buildings and grid,
// given in plane coordinates, cannot be put in its frame, and its output name
// would be that of a block at 0,0 or an overflowed one.
inline bool HasFiniteOrigin(const SubSheetRecord& record) {
    return std::isfinite(record.originX) && std::isfinite(record.originY);
}

// Where a fault of the whole block, or of a building with no place of its
// own, is shown: the block's centre, in plane coordinates.
inline FootprintPoint BlockCentre(const SubSheetRecord& record) {
    return {record.originX + kBlockWidth / 2, record.originY + kBlockHeight / 2};
}

}  // namespace vesk
