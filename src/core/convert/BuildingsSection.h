#pragma once

#include <cstdint>

#include "platform/AtomicOutputFile.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

struct BuildingsWritten {
    std::uint64_t written = 0;  // buildings whose statements are in the file
    std::uint64_t broken = 0;   // skipped as truncated or inconsistent
};

// Writes the buildings section of a geometry file: for each recorded building
// position, in list order, a roof group and a wall group extruded from the
// footprint. A position whose header is not a building's is skipped, as is a
// building whose vertices run past its body or the file; either way its number
// is used up. Memory follows the largest building's body, about once over.
BuildingsWritten WriteBuildingsSection(ByteSource& sheet, const SubSheetRecord& record,
                                       AtomicOutputFile& out);

}  // namespace vesk
