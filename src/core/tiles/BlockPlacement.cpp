#include "tiles/BlockPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "geo/PlaneZone.h"

namespace vesk {
namespace {

struct V3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 operator+(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V3 operator*(double s, V3 a) {
    return {s * a.x, s * a.y, s * a.z};
}
double Dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
V3 Cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
V3 Unit(V3 a) {
    return (1.0 / std::sqrt(Dot(a, a))) * a;
}
V3 FromEcef(const geo::Ecef& p) {
    return {p.x, p.y, p.z};
}

// The block's frame on the Earth. Its model follows the plane grid, whose
// north departs from true north by the meridian convergence (up to a few
// degrees at a zone's edge), so the axes are the grid's east and north laid
// on the tangent plane, found with PROJ, rather than the geographic ones.
struct Frame {
    V3 origin;
    V3 east;
    V3 north;
    V3 up;

    V3 ToEcef(V3 local) const { return origin + local.x * east + local.y * north + local.z * up; }
};

std::optional<Frame> BlockFrame(geo::PlaneGeoreference& georeference, const BlockModel& model) {
    constexpr double kStep = 100.0;
    const geo::PlanePoint origin{model.originX, model.originY};
    const auto o = georeference.ToEcef(model.zone, {origin, 0.0});
    const auto e =
        georeference.ToEcef(model.zone, {{origin.easting + kStep, origin.northing}, 0.0});
    const auto u = georeference.ToEcef(model.zone, {origin, kStep});
    if (!o || !e || !u) {
        return std::nullopt;
    }
    Frame frame;
    frame.origin = FromEcef(*o);
    frame.up = Unit(FromEcef(*u) - frame.origin);
    const V3 gridEast = FromEcef(*e) - frame.origin;
    frame.east = Unit(gridEast - Dot(gridEast, frame.up) * frame.up);
    frame.north = Cross(frame.up, frame.east);
    return frame;
}

struct LocalBox {
    V3 low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
           std::numeric_limits<double>::max()};
    V3 high{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest(),
            std::numeric_limits<double>::lowest()};

    void Add(const std::vector<Vec3>& positions) {
        for (const Vec3& p : positions) {
            low = {std::min<double>(low.x, p.x), std::min<double>(low.y, p.y),
                   std::min<double>(low.z, p.z)};
            high = {std::max<double>(high.x, p.x), std::max<double>(high.y, p.y),
                    std::max<double>(high.z, p.z)};
        }
    }
    bool Empty() const { return low.x > high.x; }
};

LocalBox BoxOf(const BlockModel& model) {
    LocalBox box;
    box.Add(model.buildings.positions);
    if (model.terrain) {
        box.Add(model.terrain->mesh.positions);
    }
    return box;
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

std::array<double, 16> Matrix(const Frame& frame) {
    return {frame.east.x,   frame.east.y,   frame.east.z,   0.0,  //
            frame.north.x,  frame.north.y,  frame.north.z,  0.0,  //
            frame.up.x,     frame.up.y,     frame.up.z,     0.0,  //
            frame.origin.x, frame.origin.y, frame.origin.z, 1.0};
}

// The region of the box's corners. The frame's tangent plane lies below the
// ellipsoid away from the origin, so heights only grow away from it: the
// lowest point is no lower than the box's floor, and the highest is a corner.
std::optional<TileRegion> RegionOf(geo::PlaneGeoreference& georeference, int zone,
                                   const Frame& frame, const LocalBox& box) {
    std::optional<TileRegion> region;
    for (int corner = 0; corner < 8; ++corner) {
        const V3 local{(corner & 1) ? box.high.x : box.low.x, (corner & 2) ? box.high.y : box.low.y,
                       (corner & 4) ? box.high.z : box.low.z};
        const V3 ecef = frame.ToEcef(local);
        const auto position = georeference.FromEcef(zone, {ecef.x, ecef.y, ecef.z});
        const auto lonLat = position ? georeference.ToLonLat(zone, position->point) : std::nullopt;
        if (!lonLat) {
            return std::nullopt;
        }
        const double lon = Radians(lonLat->longitude);
        const double lat = Radians(lonLat->latitude);
        const TileRegion point{lon, lat, lon, lat, position->height, position->height};
        region = region ? Union(*region, point) : point;
    }
    region->minHeight = std::min(region->minHeight, box.low.z);
    return region;
}

}  // namespace

std::variant<BlockPlacement, std::string> PlaceBlock(geo::PlaneGeoreference& georeference,
                                                     const BlockModel& model) {
    if (!PlaneZoneEpsgCode(model.zone)) {
        return "zone " + std::to_string(model.zone) +
               " has no georeference (the plane rectangular zones are 1 to 19)";
    }
    const LocalBox box = BoxOf(model);
    if (box.Empty()) {
        return std::string("the block has nothing to place");
    }
    const auto frame = BlockFrame(georeference, model);
    const auto region = frame ? RegionOf(georeference, model.zone, *frame, box) : std::nullopt;
    if (!region) {
        return "PROJ could not place the block: " + georeference.Error();
    }
    return BlockPlacement{Matrix(*frame), *region};
}

}  // namespace vesk
