#pragma once

#include <vector>

#include "check/Finding.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// The faults of a block's texture, given the SGI file its image chunk holds:
// sides of no pixels or beyond what simulators load, an image that does not
// decode, and sides that are no powers of two. Only the header and the row
// tables and runs are read; no pixel is decoded.
void CheckTexture(ByteSource& image, const SubSheetRecord& record, std::vector<Finding>& findings);

}  // namespace vesk
