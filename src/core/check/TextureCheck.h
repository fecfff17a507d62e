#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "check/Finding.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// The faults of a block's texture, given the body of its image chunk: sides
// of no pixels or beyond what simulators load, an image that does not decode,
// and sides that are no powers of two.
void CheckTexture(std::span<const std::byte> image, const SubSheetRecord& record,
                  std::vector<Finding>& findings);

}  // namespace vesk
