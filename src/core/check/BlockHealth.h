#pragma once

#include <array>

#include "check/SheetCheck.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// How a block's frame is drawn: as usual until the check has found something.
enum class BlockHealth { kUnknown, kClean, kWarnings, kErrors };

// Each block's worst finding; blocks the check did not reach stay unknown.
std::array<BlockHealth, kSubSheetCount> HealthOf(const SheetCheck& check);

}  // namespace vesk
