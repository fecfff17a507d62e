#pragma once

#include "survey/SurveyEntry.h"
#include "text/JsonText.h"

namespace vesk {

// {"scale": 2500, "zone": 9, "x": -850.0, "y": 120.0, "width": 2000.0,
// "height": 1500.0}: the sheet area's fields as stored.
JsonValue SheetAreaJson(const SheetArea& area);

// The area's fields, then the name as UTF-8 and the path as it is:
// {"scale": ..., "name": "...", "path": "..."}.
JsonValue SurveyEntryJson(const SurveyEntry& entry);

}  // namespace vesk
