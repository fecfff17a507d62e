#pragma once

#include <array>
#include <vector>

#include "survey/SurveyEntry.h"

namespace vesk {

// Zone presence flags of one survey, indexed by zone number 0 to 19.
using ZonePresence = std::array<int, 20>;

// The zone presence flags of one survey: flag k is set when the list holds an
// entry of zone k, 0 to 19. Entries of other zone numbers (negative, or 20
// and more) stay in the list but set no flag.
ZonePresence PresentZones(const SurveyList& list);

// The zones 1 to 19 whose flag is set, in ascending order.
std::vector<int> ZonesPresent(const ZonePresence& presence);

}  // namespace vesk
