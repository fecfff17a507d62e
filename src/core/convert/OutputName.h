#pragma once

#include <string>

#include "sheet/SubSheetRecord.h"

namespace vesk {

// The base name shared by a sub-sheet's ".geo" and ".sgi" files: zone, then the
// origin and size in hundreds of metres with sign letters, e.g. "09M0008P000100040003".
std::string MakeOutputName(const SubSheetRecord& record);

}  // namespace vesk
