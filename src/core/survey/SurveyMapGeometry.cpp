#include "survey/SurveyMapGeometry.h"

#include <vector>

#include "zonemap/FittedZoneMap.h"

namespace vesk {

ZoneMap MapOfSurveyZone(const SurveyList& list, int zone) {
    std::vector<PlaneRect> sheets;
    if (!BuiltInZoneMap(zone)) {
        for (const SurveyEntry& entry : list) {
            if (entry.area.zone == zone) {
                const SheetArea& a = entry.area;
                sheets.push_back({a.originX, a.originY, a.width, a.height});
            }
        }
    }
    return SurveyZoneMap(zone, sheets);
}

PixelRect SurveyEntryRect(const SheetArea& area, const ZoneMap& map) {
    const float farX = area.originX + area.width;
    const float farY = area.originY + area.height;
    const MapPixel southWest = map.Position({area.originX, area.originY});
    const MapPixel northEast = map.Position({farX, farY});
    return PixelRect{southWest.x, northEast.y, northEast.x, southWest.y};
}

}  // namespace vesk
