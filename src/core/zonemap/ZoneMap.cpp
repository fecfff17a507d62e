#include "zonemap/ZoneMap.h"

#include <cmath>

#include "sheet/PixelRect.h"

namespace vesk {
namespace {

constexpr ZoneMap kZone6Map({220, 90}, {410, 680});
constexpr ZoneMap kZone9Map({260, 460}, {490, 720});

// The offset is a whole number, so the sum is exact wherever it fits an int.
int Shifted(int origin, double offset) {
    return TruncToInt(static_cast<double>(origin) + offset);
}

}  // namespace

double MapOffset(float metres) {
    return MapOffset(metres, static_cast<double>(kMapScale));
}

double MapOffset(float metres, double scale) {
    return std::trunc(static_cast<double>(metres) * scale);
}

MapPixel ZoneMap::Position(PlanePoint point) const {
    return {Shifted(origin_.x, MapOffset(point.x, scale_)),
            Shifted(origin_.y, -MapOffset(point.y, scale_))};
}

std::optional<ZoneMap> BuiltInZoneMap(int zone) {
    switch (zone) {
        case 6:
            return kZone6Map;
        case 9:
            return kZone9Map;
        default:
            return std::nullopt;
    }
}

}  // namespace vesk
