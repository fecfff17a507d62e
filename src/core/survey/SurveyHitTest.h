#pragma once

#include <cstddef>
#include <optional>

#include "survey/SurveyEntry.h"
#include "zonemap/ZoneMap.h"

namespace vesk {

// The index of the first entry in list order of the given zone whose
// rectangle on the map holds the pixel (x, y): its left and top edges belong
// to it, its right and bottom edges do not. Entries of other zones are passed
// over. None when no entry is hit.
std::optional<std::size_t> FindSurveyEntryAt(const SurveyList& list, int zone, const ZoneMap& map,
                                             int x, int y);

}  // namespace vesk
