#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "ConversionRoutes.h"
#include "sheet/SubSheetRecord.h"

namespace vesk::fuzz {

// The properties every conversion of a sub-sheet keeps, whatever the bytes
// of its sheet: a failure is told by an error message; the texture file is
// the ORTS body byte for byte or absent; the geometry file is present when
// there is anything to put in it, and holds whole statements only.
void CheckConversion(const RouteResult& result, const SubSheetRecord& record,
                     std::span<const std::byte> sheet);

}  // namespace vesk::fuzz
