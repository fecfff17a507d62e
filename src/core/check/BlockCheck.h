#pragma once

#include <vector>

#include "check/Finding.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Reads the block's data chunks at the recorded positions, each bounded by
// its own bytes, and gives the faults of its buildings, ground grid and
// texture. Nothing is changed and nothing is built for output. A block whose
// origin is no number gives nothing here: ReadSheetLayout names its fault.
std::vector<Finding> CheckBlock(ByteSource& sheet, const SubSheetRecord& record);

}  // namespace vesk
