#include "survey/SurveyHitTest.h"

#include "survey/SurveyMapGeometry.h"

namespace vesk {

std::optional<std::size_t> FindSurveyEntryAt(const SurveyList& list, int zone, const ZoneMap& map,
                                             int x, int y) {
    for (std::size_t index = 0; index < list.size(); ++index) {
        const SheetArea& area = list[index].area;
        if (area.zone == zone && SurveyEntryRect(area, map).Contains(x, y)) {
            return index;
        }
    }
    return std::nullopt;
}

}  // namespace vesk
