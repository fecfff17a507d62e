#include "check/Ground.h"

#include <algorithm>
#include <cmath>

#include "check/CheckLimits.h"

namespace vesk {
namespace {

// The cell index and the fraction within it of a coordinate along one axis;
// nothing beyond the grid's ends.
std::optional<std::pair<std::uint32_t, double>> CellAlong(double offset, double spacing,
                                                          std::uint32_t points) {
    const double last = points - 1;
    const double at = offset / spacing;
    if (!(at >= 0.0 && at <= last)) {
        return std::nullopt;
    }
    const auto cell = static_cast<std::uint32_t>(std::min(std::floor(at), last - 1));
    return std::pair{cell, at - cell};
}

}  // namespace

bool Ground::SpansArea(const TerrainGrid& grid) {
    return grid.columns >= check_limits::kFewestGridPoints &&
           grid.rows >= check_limits::kFewestGridPoints && std::isfinite(grid.dx) &&
           std::isfinite(grid.dy) && grid.dx > 0.0f && grid.dy > 0.0f;
}

std::optional<double> Ground::HeightAt(double x, double y) const {
    const TerrainGrid& grid = dem_.grid;
    if (!SpansArea(grid)) {
        return std::nullopt;
    }
    const auto column = CellAlong(x - x0_, grid.dx, grid.columns);
    const auto row = CellAlong(y - y0_, grid.dy, grid.rows);
    if (!column || !row) {
        return std::nullopt;
    }
    const auto [j, fx] = *column;
    const auto [i, fy] = *row;
    const auto height = [&](std::uint32_t atRow, std::uint32_t atColumn) {
        return double{dem_.heights[std::size_t{atRow} * grid.columns + atColumn]};
    };
    const double south = height(i, j) * (1 - fx) + height(i, j + 1) * fx;
    const double north = height(i + 1, j) * (1 - fx) + height(i + 1, j + 1) * fx;
    const double result = south * (1 - fy) + north * fy;
    if (!std::isfinite(result)) {
        return std::nullopt;
    }
    return result;
}

}  // namespace vesk
