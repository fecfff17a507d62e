#include "BuildingGenerator.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "FootprintShapes.h"

namespace vesk::sample {
namespace {

// Narrower land between streets is left as a verge.
constexpr double kNarrowestBlock = 8.0;

// Building heights above the ground: mostly low, a few towers.
double BuildingHeight(Random& random) {
    const double u = random.Unit();
    return std::round((3.0 + 57.0 * u * u * u) * 10.0) / 10.0;
}

PlaneRect SetBack(const PlaneRect& lot, Random& random) {
    const double w = lot.Width();
    const double h = lot.Height();
    return {lot.x0 + w * random.Between(0.06, 0.2), lot.y0 + h * random.Between(0.06, 0.2),
            lot.x1 - w * random.Between(0.06, 0.2), lot.y1 - h * random.Between(0.06, 0.2)};
}

// Vertices as stored; a vertex that rounding made equal to the one before it is dropped.
std::vector<PlanePoint> ToStored(const std::vector<Point2>& ring) {
    std::vector<PlanePoint> stored;
    for (const Point2& p : ring) {
        const PlanePoint q{static_cast<float>(p.x), static_cast<float>(p.y)};
        if (stored.empty() || !(stored.back() == q)) {
            stored.push_back(q);
        }
    }
    while (stored.size() > 1 && stored.back() == stored.front()) {
        stored.pop_back();
    }
    return stored;
}

}  // namespace

std::vector<int> ShareByWeight(const std::vector<double>& weights, int count) {
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    std::vector<int> shares(weights.size(), 0);
    if (weights.empty() || total <= 0.0) {
        return shares;
    }
    std::vector<double> remainders(weights.size());
    int given = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const double quota = count * weights[i] / total;
        shares[i] = static_cast<int>(std::floor(quota));
        remainders[i] = quota - shares[i];
        given += shares[i];
    }
    std::vector<std::size_t> order(weights.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return remainders[a] > remainders[b]; });
    for (std::size_t i = 0; given < count; i = (i + 1) % order.size()) {
        ++shares[order[i]];
        ++given;
    }
    return shares;
}

BuildingSet BuildingGenerator::Generate(const PlaneRect& area, int count, Random& random) const {
    BuildingSet set;
    set.buildings.reserve(static_cast<std::size_t>(count));
    set.points.reserve(static_cast<std::size_t>(count) * 6);
    const std::vector<PlaneRect> blocks = Blocks(area);
    std::vector<double> weights;
    for (const PlaneRect& block : blocks) {
        weights.push_back(block.Area());
    }
    const std::vector<int> shares = ShareByWeight(weights, count);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        FillBlock(blocks[i], shares[i], random, set);
    }
    return set;
}

// The blocks of the area without parks; if the area is all park (or all street),
// the whole of it, so that the buildings asked for always find room.
std::vector<PlaneRect> BuildingGenerator::Blocks(const PlaneRect& area) const {
    const auto columns = streets_.StripsAcross(Axis::X, area.x0, area.x1, kNarrowestBlock);
    const auto rows = streets_.StripsAcross(Axis::Y, area.y0, area.y1, kNarrowestBlock);
    std::vector<PlaneRect> blocks;
    for (const Strip& row : rows) {
        for (const Strip& column : columns) {
            if (!streets_.IsPark(column.index, row.index)) {
                blocks.push_back({column.low, row.low, column.high, row.high});
            }
        }
    }
    if (blocks.empty()) {
        blocks.push_back(area);
    }
    return blocks;
}

// Cuts the block into a grid of at least count lots of about square shape and
// builds on count of them, spread evenly over the grid.
void BuildingGenerator::FillBlock(const PlaneRect& block, int count, Random& random,
                                  BuildingSet& set) const {
    if (count <= 0) {
        return;
    }
    const double ideal = std::sqrt(count * block.Width() / block.Height());
    const int columns = std::clamp(static_cast<int>(std::lround(ideal)), 1, count);
    const int rows = (count + columns - 1) / columns;
    const auto lots = static_cast<std::int64_t>(columns) * rows;
    const double lotWidth = block.Width() / columns;
    const double lotHeight = block.Height() / rows;
    for (int i = 0; i < count; ++i) {
        const std::int64_t lot = i * lots / count;
        const auto column = static_cast<double>(lot % columns);
        const auto row = static_cast<double>(lot / columns);
        const PlaneRect rect{block.x0 + column * lotWidth, block.y0 + row * lotHeight,
                             block.x0 + (column + 1) * lotWidth, block.y0 + (row + 1) * lotHeight};
        AddBuilding(rect, random, set);
    }
}

void BuildingGenerator::AddBuilding(const PlaneRect& lot, Random& random, BuildingSet& set) const {
    const PlaneRect inner = SetBack(lot, random);
    std::vector<PlanePoint> footprint = ToStored(MakeFootprint(random, inner));
    if (footprint.size() < 3) {
        footprint = ToStored({{inner.x0, inner.y0},
                              {inner.x1, inner.y0},
                              {inner.x1, inner.y1},
                              {inner.x0, inner.y1}});
    }
    double ground = terrain_.HeightAt(footprint.front().x, footprint.front().y);
    for (const PlanePoint& p : footprint) {
        ground = std::min(ground, terrain_.HeightAt(p.x, p.y));
    }
    Building building;
    building.bottom = static_cast<float>(ground);
    building.roof = static_cast<float>(ground + BuildingHeight(random));
    building.first = static_cast<std::uint32_t>(set.points.size());
    building.count = static_cast<std::uint32_t>(footprint.size());
    set.points.insert(set.points.end(), footprint.begin(), footprint.end());
    set.buildings.push_back(building);
}

}  // namespace vesk::sample
