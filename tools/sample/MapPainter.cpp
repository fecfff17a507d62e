#include "MapPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "MapStyle.h"
#include "RasterDraw.h"

namespace vesk::sample {
namespace {

enum class Ground : std::uint8_t { Land, Street, MainStreet };

// What lies under each pixel centre along one axis: a street, or the land of a
// strip between streets. A pixel is street if its column or its row is.
struct AxisCover {
    std::vector<Ground> ground;
    std::vector<std::int64_t> strip;
};

AxisCover CoverAlong(const StreetPlan& plan, Axis axis, const std::vector<double>& centres) {
    const auto [from, to] = std::minmax_element(centres.begin(), centres.end());
    const std::vector<Street> streets = plan.StreetsAcross(axis, *from, *to);
    AxisCover cover;
    cover.ground.reserve(centres.size());
    cover.strip.reserve(centres.size());
    for (double c : centres) {
        // The last street that begins at or before c; before the first one, the
        // strip is the one west (or south) of it.
        const auto next = std::upper_bound(streets.begin(), streets.end(), c,
                                           [](double v, const Street& s) { return v < s.low; });
        Ground ground = Ground::Land;
        std::int64_t strip = streets.empty() ? 0 : streets.front().index - 1;
        if (next != streets.begin()) {
            const Street& street = *(next - 1);
            strip = street.index;
            if (c <= street.high) {
                ground = street.main ? Ground::MainStreet : Ground::Street;
            }
        }
        cover.ground.push_back(ground);
        cover.strip.push_back(strip);
    }
    return cover;
}

// Once clamped to the channel's range a value rounds by adding a half and
// truncating; the library's rounding call would cost more than the rest of a pixel.
std::uint8_t Channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0) + 0.5);
}

// The colour a share t of the way from a to b, brightened or darkened by light.
Colour Mix(Colour a, Colour b, double t, double light = 1.0) {
    const auto channel = [t, light](std::uint8_t x, std::uint8_t y) {
        return Channel((x + (y - x) * t) * light);
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// Light from the north-west, 45 degrees up; 1 on flat ground.
double HillShade(const TerrainSample& s) {
    const double gx = -style::kReliefExaggeration * s.slopeX;
    const double gy = -style::kReliefExaggeration * s.slopeY;
    const double lit = (gx * -0.5 + gy * 0.5 + 0.70710678) / std::sqrt(gx * gx + gy * gy + 1.0);
    return std::clamp(lit / 0.70710678, 0.7, 1.25);
}

// A pixel is on a contour when a multiple of the interval lies within half a
// pixel's worth of height change from the pixel's height.
bool OnContour(const TerrainSample& s, double metresPerPixel) {
    const double steps = s.height / style::kContourInterval;
    const double below = std::floor(steps);
    const double offset = std::min(steps - below, below + 1.0 - steps) * style::kContourInterval;
    const double reach =
        0.5 * metresPerPixel * std::sqrt(s.slopeX * s.slopeX + s.slopeY * s.slopeY);
    return offset < reach;
}

// Whether each block of the window is a park, asked once per block rather than once per pixel.
class ParkTable {
public:
    ParkTable(const StreetPlan& plan, const AxisCover& columns, const AxisCover& rows) {
        const auto [west, east] = std::minmax_element(columns.strip.begin(), columns.strip.end());
        const auto [south, north] = std::minmax_element(rows.strip.begin(), rows.strip.end());
        firstX_ = *west;
        firstY_ = *south;
        countX_ = static_cast<std::size_t>(*east - *west + 1);
        parks_.resize(countX_ * static_cast<std::size_t>(*north - *south + 1));
        for (std::int64_t j = *south; j <= *north; ++j) {
            for (std::int64_t i = *west; i <= *east; ++i) {
                parks_[Index(i, j)] = plan.IsPark(i, j);
            }
        }
    }

    bool IsPark(std::int64_t stripX, std::int64_t stripY) const {
        return parks_[Index(stripX, stripY)];
    }

private:
    std::size_t Index(std::int64_t i, std::int64_t j) const {
        return static_cast<std::size_t>(j - firstY_) * countX_ +
               static_cast<std::size_t>(i - firstX_);
    }

    std::int64_t firstX_ = 0;
    std::int64_t firstY_ = 0;
    std::size_t countX_ = 0;
    std::vector<bool> parks_;
};

std::vector<double> PixelCentres(double start, double step, int count) {
    return Steps(start + step / 2.0, step, static_cast<std::size_t>(count));
}

}  // namespace

Raster MapPainter::Paint(const PlaneRect& window, int width, int height,
                         std::span<const BuildingSet* const> buildings) const {
    Raster raster(width, height);
    PaintGround(raster, window);
    for (const BuildingSet* set : buildings) {
        PaintBuildings(raster, window, *set);
    }
    return raster;
}

void MapPainter::PaintGround(Raster& raster, const PlaneRect& window) const {
    const double stepX = window.Width() / raster.Width();
    const double stepY = window.Height() / raster.Height();
    const std::vector<double> xs = PixelCentres(window.x0, stepX, raster.Width());
    const std::vector<double> ys = PixelCentres(window.y1, -stepY, raster.Height());
    const AxisCover columns = CoverAlong(streets_, Axis::X, xs);
    const AxisCover rows = CoverAlong(streets_, Axis::Y, ys);
    const ParkTable parks(streets_, columns, rows);
    const TerrainGrid grid(terrain_, xs, ys);
    const double range = std::max(terrain_.Highest() - terrain_.Lowest(), 1e-9);
    const double metresPerPixel = std::max(stepX, stepY);
    for (int y = 0; y < raster.Height(); ++y) {
        for (int x = 0; x < raster.Width(); ++x) {
            const Ground street = std::max(columns.ground[x], rows.ground[y]);
            if (street != Ground::Land) {
                raster.Set(x, y,
                           street == Ground::MainStreet ? style::kMainStreet : style::kStreet);
                continue;
            }
            const TerrainSample s =
                grid.At(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
            const double t = std::clamp((s.height - terrain_.Lowest()) / range, 0.0, 1.0);
            const bool park = parks.IsPark(columns.strip[x], rows.strip[y]);
            double light = HillShade(s);
            if (OnContour(s, metresPerPixel)) {
                light *= style::kContourDarkening;
            }
            raster.Set(x, y,
                       park ? Mix(style::kLowPark, style::kHighPark, t, light)
                            : Mix(style::kLowGround, style::kHighGround, t, light));
        }
    }
}

void MapPainter::PaintBuildings(Raster& raster, const PlaneRect& window,
                                const BuildingSet& set) const {
    const double toPixelX = raster.Width() / window.Width();
    const double toPixelY = raster.Height() / window.Height();
    std::vector<Point2> ring;
    for (const Building& building : set.buildings) {
        ring.clear();
        for (const PlanePoint& p : set.Footprint(building)) {
            ring.push_back({(p.x - window.x0) * toPixelX, (window.y1 - p.y) * toPixelY});
        }
        const auto [left, right] = std::minmax_element(
            ring.begin(), ring.end(), [](const Point2& a, const Point2& b) { return a.x < b.x; });
        const auto [top, bottom] = std::minmax_element(
            ring.begin(), ring.end(), [](const Point2& a, const Point2& b) { return a.y < b.y; });
        if (ring.empty() || right->x < 0 || left->x > raster.Width() || bottom->y < 0 ||
            top->y > raster.Height()) {
            continue;
        }
        const double tall = std::clamp((building.roof - building.bottom - 3.0) / 57.0, 0.0, 1.0);
        FillPolygon(raster, ring, Mix(style::kLowBuilding, style::kTallBuilding, tall));
        DrawRing(raster, ring, style::kBuildingOutline);
    }
}

}  // namespace vesk::sample
