#pragma once

#include <ostream>

#include "zonemap/PlanePoint.h"
#include "zonemap/ZoneMap.h"

// Readable values in test failure messages.
namespace vesk {

inline void PrintTo(const MapPixel& pixel, std::ostream* out) {
    *out << "pixel (" << pixel.x << ", " << pixel.y << ")";
}

inline void PrintTo(const MapExtent& extent, std::ostream* out) {
    *out << extent.width << " x " << extent.height;
}

inline void PrintTo(const PlanePoint& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}

inline void PrintTo(const ZoneMap& map, std::ostream* out) {
    *out << "map origin (" << map.Origin().x << ", " << map.Origin().y << "), extent "
         << map.Extent().width << " x " << map.Extent().height;
}

}  // namespace vesk
