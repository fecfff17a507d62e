#include "tiles/BlockPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

#include "export/DracoCompression.h"
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
double Length(V3 a) {
    return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
}
V3 FromEcef(const geo::Ecef& p) {
    return {p.x, p.y, p.z};
}

// Margins that keep every vertex inside the region whatever the rounding:
// about a centimetre on the ground and in height.
constexpr double kAngleMargin = 2e-9;
constexpr double kHeightMargin = 0.01;

// The model's frame on the Earth. Its x and y axes run from the rectangle's
// south-west corner to PROJ's positions of its south-east and north-west
// corners at the ground's height, so they carry the grid's scale factor and
// its turn from north (the meridian convergence), and the rectangle's corners
// land where PROJ puts them (the fourth within a tenth of a millimetre: the
// grid's parallelograms are that flat). They lie at the undulation above the
// ellipsoid, which is sea level's height there; z, the ellipsoid's normal at
// the centre, carries the heights above sea level on from it.
struct Frame {
    V3 origin;
    V3 east;
    V3 north;
    V3 up;

    V3 ToEcef(V3 local) const { return origin + local.x * east + local.y * north + local.z * up; }
};

class FrameBuilder {
public:
    FrameBuilder(geo::PlaneGeoreference& georeference, int zone)
        : georeference_(georeference), zone_(zone) {}

    Result<V3> At(double easting, double northing, double height) {
        const auto ecef = georeference_.ToEcef(zone_, {{easting, northing}, height});
        if (!ecef) {
            return ecef.Failed();
        }
        return FromEcef(*ecef);
    }

    Result<Frame> Build(const geo::PlaneRectangle& r, double undulation) {
        const double x0 = r.southWest.easting;
        const double y0 = r.southWest.northing;
        const auto sw = At(x0, y0, undulation);
        const auto se = At(x0 + r.width, y0, undulation);
        const auto nw = At(x0, y0 + r.height, undulation);
        const auto centre = At(x0 + r.width / 2, y0 + r.height / 2, 0.0);
        const auto above = At(x0 + r.width / 2, y0 + r.height / 2, 100.0);
        for (const Result<V3>* corner : {&sw, &se, &nw, &centre, &above}) {
            if (!*corner) {
                return corner->Failed();
            }
        }
        const V3 up = *above - *centre;
        return Frame{*sw, (1.0 / r.width) * (*se - *sw), (1.0 / r.height) * (*nw - *sw),
                     (1.0 / Length(up)) * up};
    }

private:
    geo::PlaneGeoreference& georeference_;
    int zone_;
};

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

    // Room for the positions as a compressed mesh gives them back.
    LocalBox WithQuantization() const {
        const double side = std::max({high.x - low.x, high.y - low.y, high.z - low.z});
        const double error = DracoPositionError(side);
        return {{low.x - error, low.y - error, low.z - error},
                {high.x + error, high.y + error, high.z + error}};
    }
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

TileTransform Matrix(const Frame& frame) {
    return {frame.east.x,   frame.east.y,   frame.east.z,   0.0,  //
            frame.north.x,  frame.north.y,  frame.north.z,  0.0,  //
            frame.up.x,     frame.up.y,     frame.up.z,     0.0,  //
            frame.origin.x, frame.origin.y, frame.origin.z, 1.0};
}

// The region of the box as the frame places it. The frame's plane cuts the
// ellipsoid at the rectangle's corners and runs below it inside, so heights
// are least near the middle and greatest at the edges: the box's corners, the
// middles of its sides and its centre, at its floor and its top, find both.
Result<TileRegion> RegionOf(geo::PlaneGeoreference& georeference, int zone, const Frame& frame,
                            const LocalBox& box) {
    std::optional<TileRegion> region;
    const V3 mid = 0.5 * (box.low + box.high);
    for (const double x : {box.low.x, mid.x, box.high.x}) {
        for (const double y : {box.low.y, mid.y, box.high.y}) {
            for (const double z : {box.low.z, box.high.z}) {
                const V3 ecef = frame.ToEcef({x, y, z});
                const auto position = georeference.FromEcef(zone, {ecef.x, ecef.y, ecef.z});
                if (!position) {
                    return position.Failed();
                }
                const auto lonLat = georeference.ToLonLat(zone, position->point);
                if (!lonLat) {
                    return lonLat.Failed();
                }
                const double lon = Radians(lonLat->longitude);
                const double lat = Radians(lonLat->latitude);
                const TileRegion point{lon, lat, lon, lat, position->height, position->height};
                region = region ? Union(*region, point) : point;
            }
        }
    }
    return TileRegion{region->west - kAngleMargin,       region->south - kAngleMargin,
                      region->east + kAngleMargin,       region->north + kAngleMargin,
                      region->minHeight - kHeightMargin, region->maxHeight + kHeightMargin};
}

bool Usable(const geo::PlaneRectangle& frame) {
    return std::isfinite(frame.southWest.easting) && std::isfinite(frame.southWest.northing) &&
           std::isfinite(frame.width) && std::isfinite(frame.height) && frame.width > 0.0 &&
           frame.height > 0.0;
}

Failure NotPlaced(const std::string& reason) {
    return Failure{"PROJ could not place the block: " + reason};
}

Result<double> UndulationAt(geo::PlaneGeoreference& georeference, geo::GeoidModel* geoid, int zone,
                            const geo::PlaneRectangle& r) {
    if (!geoid) {
        return 0.0;
    }
    const auto centre = georeference.ToLonLat(
        zone, {r.southWest.easting + r.width / 2, r.southWest.northing + r.height / 2});
    if (!centre) {
        return NotPlaced(centre.Error());
    }
    return geoid->Undulation(*centre);
}

// The inverse of an affine transform: its 3 x 3 part by the adjugate.
TileTransform Inverse(const TileTransform& m) {
    const auto a = [&](int row, int column) {
        return m[static_cast<std::size_t>(column * 4 + row)];
    };
    const double c00 = a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1);
    const double c01 = a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2);
    const double c02 = a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0);
    const double det = a(0, 0) * c00 + a(0, 1) * c01 + a(0, 2) * c02;
    const double r[3][3] = {{c00 / det, (a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2)) / det,
                             (a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1)) / det},
                            {c01 / det, (a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0)) / det,
                             (a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2)) / det},
                            {c02 / det, (a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1)) / det,
                             (a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0)) / det}};
    TileTransform inverse{};
    for (int row = 0; row < 3; ++row) {
        double t = 0.0;
        for (int column = 0; column < 3; ++column) {
            inverse[static_cast<std::size_t>(column * 4 + row)] = r[row][column];
            t -= r[row][column] * a(column, 3);
        }
        inverse[static_cast<std::size_t>(12 + row)] = t;
    }
    inverse[15] = 1.0;
    return inverse;
}

TileTransform Multiply(const TileTransform& a, const TileTransform& b) {
    TileTransform product{};
    for (std::size_t column = 0; column < 4; ++column) {
        for (std::size_t row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (std::size_t k = 0; k < 4; ++k) {
                sum += a[k * 4 + row] * b[column * 4 + k];
            }
            product[column * 4 + row] = sum;
        }
    }
    return product;
}

}  // namespace

Result<BlockPlacement> PlaceModel(geo::PlaneGeoreference& georeference, geo::GeoidModel* geoid,
                                  const BlockModel& model, const geo::PlaneRectangle& frame) {
    if (!PlaneZoneEpsgCode(model.zone)) {
        return Failure{"zone " + std::to_string(model.zone) +
                       " has no georeference (the plane rectangular zones are 1 to 19)"};
    }
    if (!Usable(frame)) {
        return Failure{"the block's origin or size is not a finite number"};
    }
    const LocalBox found = BoxOf(model);
    if (found.Empty()) {
        return Failure{"the block has nothing to place"};
    }
    const LocalBox box = found.WithQuantization();
    const auto undulation = UndulationAt(georeference, geoid, model.zone, frame);
    if (!undulation) {
        return undulation.Failed();
    }
    const auto placed = FrameBuilder(georeference, model.zone).Build(frame, *undulation);
    if (!placed) {
        return NotPlaced(placed.Error());
    }
    const auto region = RegionOf(georeference, model.zone, *placed, box);
    if (!region) {
        return NotPlaced(region.Error());
    }
    return BlockPlacement{Matrix(*placed), *region, *undulation};
}

TileTransform RelativeTo(const TileTransform& parent, const TileTransform& child) {
    return Multiply(Inverse(parent), child);
}

}  // namespace vesk
