#pragma once

#include "sheet/PixelRect.h"
#include "sheet/SheetArea.h"
#include "survey/SurveyEntry.h"
#include "zonemap/ZoneMap.h"

namespace vesk {

// The survey map of a zone: the built-in map of zones 6 and 9; for any other
// zone a map at the same scale fitted to the list's sheets of that zone, so
// that they are drawn, hovered and opened like those of zones 6 and 9.
ZoneMap MapOfSurveyZone(const SurveyList& list, int zone);

// Where a sheet lies on a survey map: left and bottom from its origin, right
// and top from its far corner (origin plus size, summed in single precision).
// A sheet of negative size gives an empty rectangle.
PixelRect SurveyEntryRect(const SheetArea& area, const ZoneMap& map);

}  // namespace vesk
