#include "zonemap/FittedZoneMap.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sheet/PixelRect.h"

namespace vesk {
namespace {

// The smallest rectangle around points, in whatever unit they are given.
struct Bounds {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    bool empty = true;

    void Add(double x, double y) {
        left = empty ? x : std::min(left, x);
        right = empty ? x : std::max(right, x);
        top = empty ? y : std::min(top, y);
        bottom = empty ? y : std::max(bottom, y);
        empty = false;
    }
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

// The far corner is summed in single precision, as the survey map does.
bool HasFiniteCorners(const PlaneRect& sheet) {
    return std::isfinite(sheet.originX) && std::isfinite(sheet.originY) &&
           std::isfinite(sheet.originX + sheet.width) &&
           std::isfinite(sheet.originY + sheet.height);
}

std::vector<PlanePoint> SheetCorners(std::span<const PlaneRect> sheets) {
    std::vector<PlanePoint> corners;
    for (const PlaneRect& sheet : sheets) {
        if (!HasFiniteCorners(sheet)) {
            continue;
        }
        const float farX = sheet.originX + sheet.width;
        const float farY = sheet.originY + sheet.height;
        corners.insert(corners.end(), {{sheet.originX, sheet.originY},
                                       {farX, sheet.originY},
                                       {sheet.originX, farY},
                                       {farX, farY}});
    }
    if (corners.empty()) {
        corners.push_back({0.0f, 0.0f});
    }
    return corners;
}

// Room for the sheets themselves in the target size, over their span in metres;
// a span of nothing sets no limit.
double ScaleFor(int targetSide, double span) {
    const double room = targetSide - 2.0 * kFittedMapMargin;
    return span > 0.0 ? room / span : kFittedMapMaxScale;
}

double FittedScale(std::span<const PlanePoint> corners) {
    Bounds metres;
    for (const PlanePoint& corner : corners) {
        metres.Add(corner.x, corner.y);
    }
    const double fitting = std::min(ScaleFor(kFittedMapTarget.width, metres.Width()),
                                    ScaleFor(kFittedMapTarget.height, metres.Height()));
    return std::clamp(fitting, static_cast<double>(kMapScale), kFittedMapMaxScale);
}

int FittedSide(double span, int least) {
    const double side = std::max(span + 2.0 * kFittedMapMargin, static_cast<double>(least));
    return TruncToInt(std::min(side, double{kFittedMapMaxSide}));
}

// The origin that puts the span from low to high in the middle of side pixels.
int CentredOrigin(int side, double low, double high) {
    return TruncToInt(std::floor((side - (high - low)) / 2.0) - low);
}

}  // namespace

ZoneMap FitZoneMap(std::span<const PlaneRect> sheets) {
    const std::vector<PlanePoint> corners = SheetCorners(sheets);
    const double scale = FittedScale(corners);
    Bounds pixels;  // relative to the map origin, y downward
    for (const PlanePoint& corner : corners) {
        pixels.Add(MapOffset(corner.x, scale), -MapOffset(corner.y, scale));
    }
    const MapExtent extent{FittedSide(pixels.Width(), kFittedMapMinimum.width),
                           FittedSide(pixels.Height(), kFittedMapMinimum.height)};
    const MapPixel origin{CentredOrigin(extent.width, pixels.left, pixels.right),
                          CentredOrigin(extent.height, pixels.top, pixels.bottom)};
    return ZoneMap(origin, extent, scale);
}

ZoneMap SurveyZoneMap(int zone, std::span<const PlaneRect> sheetsOfZone) {
    if (const std::optional<ZoneMap> builtIn = BuiltInZoneMap(zone)) {
        return *builtIn;
    }
    return FitZoneMap(sheetsOfZone);
}

}  // namespace vesk
