#pragma once

#include <optional>

namespace vesk {

inline constexpr int kFirstPlaneZone = 1;
inline constexpr int kLastPlaneZone = 19;

// The EPSG code of a zone of the plane rectangular system (JGD2000 / Japan
// Plane Rectangular CS I to XIX are EPSG:2443 to EPSG:2461); nothing for a
// zone outside 1 to 19, which has no georeference.
constexpr std::optional<int> PlaneZoneEpsgCode(int zone) {
    if (zone < kFirstPlaneZone || zone > kLastPlaneZone) {
        return std::nullopt;
    }
    return 2442 + zone;
}

}  // namespace vesk
