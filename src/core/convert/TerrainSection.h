#pragma once

#include <string_view>

#include "platform/AtomicOutputFile.h"
#include "sheet/ByteSource.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Writes the terrain section of a geometry file: the sub-sheet's DEM grid as
// one group of grid points joined into four-sided faces, bound to the texture
// "<baseName>.sgi" when texture is set. Its last statement has no line end.
// The whole grid is read and checked first; when the DEMF chunk is truncated
// or inconsistent, or its grid has no points (a count of 0), nothing is
// written and the result is false.
bool WriteTerrainSection(AtomicOutputFile& out, ByteSource& sheet, const SubSheetRecord& record,
                         bool texture, std::string_view baseName);

}  // namespace vesk
