#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "geo/GeoPoints.h"
#include "geo/PlaneZone.h"
#include "geo/ProjContext.h"
#include "platform/Result.h"

namespace vesk::geo {

// Plane points of the zones 1 to 19 to WGS 84 longitude and latitude and to
// Earth-centred coordinates, and back. Each zone's transformations are made on
// first use and kept. One object per thread: PROJ's context is not shared.
// A call that gives no value gives the reason.
class PlaneGeoreference {
public:
    Result<LonLat> ToLonLat(int zone, PlanePoint point);
    Result<std::vector<LonLat>> ToLonLat(int zone, std::span<const PlanePoint> points);
    Result<PlanePoint> FromLonLat(int zone, LonLat point);
    Result<Ecef> ToEcef(int zone, PlanePosition position);
    Result<PlanePosition> FromEcef(int zone, Ecef point);

private:
    // Both take and give the plane's easting first.
    struct ZoneTransforms {
        ProjObject toLonLat;
        ProjObject toEcef;
    };

    Result<const ZoneTransforms*> Transforms(int zone);
    Result<ProjObject> MakeTransform(int planeEpsg, int targetEpsg);
    Result<PJ_COORD> Apply(PJ* transform, PJ_DIRECTION direction, PJ_COORD coord);

    ProjContext context_;
    std::array<std::optional<ZoneTransforms>, kLastPlaneZone - kFirstPlaneZone + 1> zones_;
};

}  // namespace vesk::geo
