#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "geo/GeoPoints.h"
#include "geo/PlaneZone.h"
#include "geo/ProjContext.h"

namespace vesk::geo {

// Plane points of the zones 1 to 19 to WGS 84 longitude and latitude and to
// Earth-centred coordinates, and back. Each zone's transformations are made on
// first use and kept. One object per thread: PROJ's context is not shared.
// A call that gives nothing leaves the reason in Error().
class PlaneGeoreference {
public:
    std::optional<LonLat> ToLonLat(int zone, PlanePoint point);
    std::optional<std::vector<LonLat>> ToLonLat(int zone, std::span<const PlanePoint> points);
    std::optional<PlanePoint> FromLonLat(int zone, LonLat point);
    std::optional<Ecef> ToEcef(int zone, PlanePosition position);
    std::optional<PlanePosition> FromEcef(int zone, Ecef point);

    const std::string& Error() const { return error_; }

private:
    // Both take and give the plane's easting first.
    struct ZoneTransforms {
        ProjObject toLonLat;
        ProjObject toEcef;
    };

    const ZoneTransforms* Transforms(int zone);
    ProjObject MakeTransform(int planeEpsg, int targetEpsg);
    std::optional<PJ_COORD> Apply(PJ* transform, PJ_DIRECTION direction, PJ_COORD coord);

    ProjContext context_;
    std::array<std::optional<ZoneTransforms>, kLastPlaneZone - kFirstPlaneZone + 1> zones_;
    std::string error_;
};

}  // namespace vesk::geo
