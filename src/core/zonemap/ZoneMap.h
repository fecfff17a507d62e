#pragma once

#include <optional>

#include "zonemap/PlanePoint.h"

namespace vesk {

// A pixel of a survey map: x to the right, y downward.
struct MapPixel {
    int x = 0;
    int y = 0;

    friend bool operator==(const MapPixel&, const MapPixel&) = default;
};

// The size of a survey map in pixels.
struct MapExtent {
    int width = 0;
    int height = 0;

    friend bool operator==(const MapExtent&, const MapExtent&) = default;
};

// Pixels per metre on every survey map, as the single-precision value it is stored as.
inline constexpr float kMapScale = 0.002f;

// How far a plane coordinate lies from the map origin in pixels: the product
// with the scale formed in double precision and truncated toward zero, so that
// points on both sides of the zone's axes move toward the origin alike.
double MapOffset(float metres);

// The survey map of one zone: the pixel on which the plane point (0, 0) lies,
// the map's size and its scale in pixels per metre (that of the built-in maps
// unless a map fitted to its sheets needs a larger one). East is to the right
// and north is up.
class ZoneMap {
public:
    constexpr ZoneMap(MapPixel origin, MapExtent extent,
                      double scale = static_cast<double>(kMapScale))
        : origin_(origin), extent_(extent), scale_(scale) {}

    MapPixel Origin() const { return origin_; }
    MapExtent Extent() const { return extent_; }
    double Scale() const { return scale_; }

    // Where the survey map draws a plane point. Far-off or corrupt coordinates
    // saturate at the int range; NaN gives 0.
    MapPixel Position(PlanePoint point) const;

    friend bool operator==(const ZoneMap&, const ZoneMap&) = default;

private:
    MapPixel origin_;
    MapExtent extent_;
    double scale_;
};

// How far a plane coordinate lies from the map origin at a scale: the product
// in double precision, truncated toward zero.
double MapOffset(float metres, double scale);

// The built-in survey maps of zones 6 and 9; no other zone has one.
std::optional<ZoneMap> BuiltInZoneMap(int zone);

}  // namespace vesk
