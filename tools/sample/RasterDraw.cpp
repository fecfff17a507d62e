#include "RasterDraw.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vesk::sample {
namespace {

void Plot(Raster& raster, double x, double y, Colour colour) {
    const double column = std::floor(x);
    const double row = std::floor(y);
    if (column >= 0 && row >= 0 && column < raster.Width() && row < raster.Height()) {
        raster.Set(static_cast<int>(column), static_cast<int>(row), colour);
    }
}

void DrawLine(Raster& raster, Point2 from, Point2 to, Colour colour) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double steps = std::ceil(std::max(std::abs(dx), std::abs(dy)));
    for (double i = 0; i <= steps; ++i) {
        const double t = steps > 0 ? i / steps : 0.0;
        Plot(raster, from.x + t * dx, from.y + t * dy, colour);
    }
}

// The x positions where the row's centre line crosses the ring's edges, in order.
void Crossings(std::span<const Point2> ring, double y, std::vector<double>& xs) {
    xs.clear();
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const Point2& a = ring[i];
        const Point2& b = ring[(i + 1) % ring.size()];
        if ((a.y <= y) != (b.y <= y)) {
            xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
    }
    std::sort(xs.begin(), xs.end());
}

void FillSpan(Raster& raster, int row, double left, double right, Colour colour) {
    // Pixel i is inside when left <= i + 0.5 < right.
    const double width = raster.Width();
    const double first = std::clamp(std::ceil(left - 0.5), 0.0, width);
    const double end = std::clamp(std::ceil(right - 0.5), 0.0, width);
    for (auto x = static_cast<int>(first); x < static_cast<int>(end); ++x) {
        raster.Set(x, row, colour);
    }
}

}  // namespace

void FillPolygon(Raster& raster, std::span<const Point2> ring, Colour colour) {
    if (ring.size() < 3) {
        return;
    }
    double top = ring[0].y;
    double bottom = ring[0].y;
    for (const Point2& p : ring) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const double height = raster.Height();
    const double firstRow = std::clamp(std::ceil(top - 0.5), 0.0, height);
    const double endRow = std::clamp(std::ceil(bottom - 0.5), 0.0, height);
    std::vector<double> xs;
    for (auto row = static_cast<int>(firstRow); row < static_cast<int>(endRow); ++row) {
        Crossings(ring, row + 0.5, xs);
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            FillSpan(raster, row, xs[i], xs[i + 1], colour);
        }
    }
}

void DrawRing(Raster& raster, std::span<const Point2> ring, Colour colour) {
    for (std::size_t i = 0; i < ring.size(); ++i) {
        DrawLine(raster, ring[i], ring[(i + 1) % ring.size()], colour);
    }
}

}  // namespace vesk::sample
