#pragma once

#include "check/CheckLimits.h"
#include "model/BuildingChunk.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Where a finding about the whole block is shown: its centre, in plane coordinates.
inline FootprintPoint BlockCentre(const SubSheetRecord& record) {
    return {record.originX + check_limits::kBlockWidth / 2,
            record.originY + check_limits::kBlockHeight / 2};
}

}  // namespace vesk
