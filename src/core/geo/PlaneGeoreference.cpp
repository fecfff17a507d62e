#include "geo/PlaneGeoreference.h"

#include <cmath>
#include <string>

namespace vesk::geo {
namespace {

constexpr int kWgs84Geographic = 4326;
constexpr int kWgs84Geocentric = 4978;

std::string EpsgName(int code) {
    return "EPSG:" + std::to_string(code);
}

bool IsFinite(const PJ_COORD& coord) {
    return std::isfinite(coord.v[0]) && std::isfinite(coord.v[1]) && std::isfinite(coord.v[2]);
}

// No time: none of these transformations depends on the epoch.
PJ_COORD Coord(double a, double b, double c) {
    return proj_coord(a, b, c, HUGE_VAL);
}

}  // namespace

Result<LonLat> PlaneGeoreference::ToLonLat(int zone, PlanePoint point) {
    const auto transforms = Transforms(zone);
    if (!transforms) {
        return transforms.Failed();
    }
    const auto out =
        Apply((*transforms)->toLonLat.get(), PJ_FWD, Coord(point.easting, point.northing, 0.0));
    if (!out) {
        return out.Failed();
    }
    return LonLat{out->v[0], out->v[1]};
}

Result<std::vector<LonLat>> PlaneGeoreference::ToLonLat(int zone,
                                                        std::span<const PlanePoint> points) {
    std::vector<LonLat> lonLats;
    lonLats.reserve(points.size());
    for (const PlanePoint& point : points) {
        const auto lonLat = ToLonLat(zone, point);
        if (!lonLat) {
            return lonLat.Failed();
        }
        lonLats.push_back(*lonLat);
    }
    return lonLats;
}

Result<PlanePoint> PlaneGeoreference::FromLonLat(int zone, LonLat point) {
    const auto transforms = Transforms(zone);
    if (!transforms) {
        return transforms.Failed();
    }
    const auto out =
        Apply((*transforms)->toLonLat.get(), PJ_INV, Coord(point.longitude, point.latitude, 0.0));
    if (!out) {
        return out.Failed();
    }
    return PlanePoint{out->v[0], out->v[1]};
}

Result<Ecef> PlaneGeoreference::ToEcef(int zone, PlanePosition position) {
    const auto transforms = Transforms(zone);
    if (!transforms) {
        return transforms.Failed();
    }
    const PlanePoint& point = position.point;
    const auto out = Apply((*transforms)->toEcef.get(), PJ_FWD,
                           Coord(point.easting, point.northing, position.height));
    if (!out) {
        return out.Failed();
    }
    return Ecef{out->v[0], out->v[1], out->v[2]};
}

Result<PlanePosition> PlaneGeoreference::FromEcef(int zone, Ecef point) {
    const auto transforms = Transforms(zone);
    if (!transforms) {
        return transforms.Failed();
    }
    const auto out = Apply((*transforms)->toEcef.get(), PJ_INV, Coord(point.x, point.y, point.z));
    if (!out) {
        return out.Failed();
    }
    return PlanePosition{{out->v[0], out->v[1]}, out->v[2]};
}

Result<const PlaneGeoreference::ZoneTransforms*> PlaneGeoreference::Transforms(int zone) {
    const std::optional<int> epsg = PlaneZoneEpsgCode(zone);
    if (!epsg) {
        return Failure{"zone " + std::to_string(zone) +
                       " has no georeference (the plane rectangular zones are 1 to 19)"};
    }
    std::optional<ZoneTransforms>& cached =
        zones_[static_cast<std::size_t>(zone - kFirstPlaneZone)];
    if (!cached) {
        auto toLonLat = MakeTransform(*epsg, kWgs84Geographic);
        if (!toLonLat) {
            return toLonLat.Failed();
        }
        auto toEcef = MakeTransform(*epsg, kWgs84Geocentric);
        if (!toEcef) {
            return toEcef.Failed();
        }
        cached = ZoneTransforms{std::move(*toLonLat), std::move(*toEcef)};
    }
    return &*cached;
}

// The transformation PROJ chooses between the two EPSG systems, with its axes
// put in the order of the types here: easting and longitude first.
Result<ProjObject> PlaneGeoreference::MakeTransform(int planeEpsg, int targetEpsg) {
    PJ_CONTEXT* context = context_.Get();
    if (context == nullptr) {
        return Failure{context_.TakeError(0)};
    }
    const ProjObject chosen(proj_create_crs_to_crs(context, EpsgName(planeEpsg).c_str(),
                                                   EpsgName(targetEpsg).c_str(), nullptr));
    ProjObject normalized(chosen ? proj_normalize_for_visualization(context, chosen.get())
                                 : nullptr);
    if (!normalized) {
        return Failure{"PROJ cannot transform " + EpsgName(planeEpsg) + " to " +
                       EpsgName(targetEpsg) + ": " +
                       context_.TakeError(proj_context_errno(context))};
    }
    return normalized;
}

Result<PJ_COORD> PlaneGeoreference::Apply(PJ* transform, PJ_DIRECTION direction, PJ_COORD coord) {
    if (!IsFinite(coord)) {
        return Failure{"a coordinate is not a finite number"};
    }
    proj_errno_reset(transform);
    const PJ_COORD out = proj_trans(transform, direction, coord);
    const int errorCode = proj_errno(transform);
    if (errorCode != 0 || !IsFinite(out)) {
        return Failure{"PROJ cannot transform the point: " + context_.TakeError(errorCode)};
    }
    return out;
}

}  // namespace vesk::geo
