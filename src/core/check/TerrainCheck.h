#pragma once

#include <vector>

#include "check/Finding.h"
#include "sheet/DemChunk.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// The faults of a block's ground grid: too few points, an extent that does
// not cover the block, heights that are no numbers, and spikes.
void CheckTerrain(const DemChunk& dem, const SubSheetRecord& record,
                  std::vector<Finding>& findings);

}  // namespace vesk
