#pragma once

#include <cstdint>

#include "platform/AtomicOutputFile.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Writes the buildings section of a geometry file: for each recorded building
// position, in list order, a roof group and a wall group extruded from the
// footprint. A position whose header is not a building's is skipped, as is a
// building whose vertices run past its body or the file; either way its number
// is used up. Gives how many buildings were skipped as truncated or inconsistent.
std::uint64_t WriteBuildingsSection(ByteSource& sheet, const SubSheetRecord& record,
                                    AtomicOutputFile& out);

}  // namespace vesk
