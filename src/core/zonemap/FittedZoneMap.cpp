#include "zonemap/FittedZoneMap.h"

#include <algorithm>
#include <cmath>

#include "sheet/PixelRect.h"

namespace vesk {
namespace {

// The pixels that sheets cover, relative to the map origin.
struct PixelBounds {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    bool empty = true;

    void Add(double column, double row) {
        left = empty ? column : std::min(left, column);
        right = empty ? column : std::max(right, column);
        top = empty ? row : std::min(top, row);
        bottom = empty ? row : std::max(bottom, row);
        empty = false;
    }
};

// The far corner is summed in single precision, as the survey map does.
bool HasFiniteCorners(const PlaneRect& sheet) {
    return std::isfinite(sheet.originX) && std::isfinite(sheet.originY) &&
           std::isfinite(sheet.originX + sheet.width) &&
           std::isfinite(sheet.originY + sheet.height);
}

void AddSheet(PixelBounds& bounds, const PlaneRect& sheet) {
    const float farX = sheet.originX + sheet.width;
    const float farY = sheet.originY + sheet.height;
    for (const float x : {sheet.originX, farX}) {
        for (const float y : {sheet.originY, farY}) {
            bounds.Add(MapOffset(x), -MapOffset(y));
        }
    }
}

int FittedSide(double span) {
    return TruncToInt(std::min(span + 2.0 * kFittedMapMargin, double{kFittedMapMaxSide}));
}

}  // namespace

ZoneMap FitZoneMap(std::span<const PlaneRect> sheets) {
    PixelBounds bounds;
    for (const PlaneRect& sheet : sheets) {
        if (HasFiniteCorners(sheet)) {
            AddSheet(bounds, sheet);
        }
    }
    if (bounds.empty) {
        bounds.Add(0.0, 0.0);
    }
    const MapPixel origin{TruncToInt(kFittedMapMargin - bounds.left),
                          TruncToInt(kFittedMapMargin - bounds.top)};
    const MapExtent extent{FittedSide(bounds.right - bounds.left),
                           FittedSide(bounds.bottom - bounds.top)};
    return ZoneMap(origin, extent);
}

ZoneMap SurveyZoneMap(int zone, std::span<const PlaneRect> sheetsOfZone) {
    if (const std::optional<ZoneMap> builtIn = BuiltInZoneMap(zone)) {
        return *builtIn;
    }
    return FitZoneMap(sheetsOfZone);
}

}  // namespace vesk
