#include "StreetPlan.h"

#include <algorithm>
#include <cmath>

#include "Random.h"

namespace vesk::sample {
namespace {

// Blocks are somewhat longer west to east than north to south, as in many towns.
double CellSize(Axis axis) {
    return axis == Axis::X ? 130.0 : 110.0;
}

constexpr double kMainStreetShare = 1.0 / 7.0;
constexpr double kParkShare = 0.07;

}  // namespace

Street StreetPlan::StreetAt(Axis axis, std::int64_t index) const {
    Random random(
        HashKey({seed_, axis == Axis::X ? 0x5778u : 0x5779u, static_cast<std::uint64_t>(index)}));
    const double cell = CellSize(axis);
    const double centre = static_cast<double>(index) * cell + random.Between(0.0, 0.35 * cell);
    Street street;
    street.index = index;
    street.main = random.Chance(kMainStreetShare);
    const double halfWidth = street.main ? random.Between(8.0, 11.0) : random.Between(2.5, 4.5);
    street.low = centre - halfWidth;
    street.high = centre + halfWidth;
    return street;
}

std::vector<Street> StreetPlan::StreetsAcross(Axis axis, double from, double to) const {
    const double cell = CellSize(axis);
    // A street of cell k lies within [k cell - 11, (k + 1) cell]; one cell more
    // on each side covers every band that can reach the window.
    const auto first = static_cast<std::int64_t>(std::floor(from / cell)) - 1;
    const auto last = static_cast<std::int64_t>(std::floor(to / cell)) + 1;
    std::vector<Street> streets;
    for (std::int64_t k = first; k <= last; ++k) {
        const Street street = StreetAt(axis, k);
        if (street.high >= from && street.low <= to) {
            streets.push_back(street);
        }
    }
    return streets;
}

std::vector<Strip> StreetPlan::StripsAcross(Axis axis, double from, double to,
                                            double minimumWidth) const {
    const double cell = CellSize(axis);
    const auto first = static_cast<std::int64_t>(std::floor(from / cell)) - 2;
    const auto last = static_cast<std::int64_t>(std::floor(to / cell)) + 1;
    std::vector<Strip> strips;
    Street west = StreetAt(axis, first);
    for (std::int64_t k = first; k <= last; ++k) {
        const Street east = StreetAt(axis, k + 1);
        Strip strip{k, std::max(west.high, from), std::min(east.low, to)};
        if (strip.high - strip.low >= minimumWidth) {
            strips.push_back(strip);
        }
        west = east;
    }
    return strips;
}

bool StreetPlan::IsPark(std::int64_t stripX, std::int64_t stripY) const {
    Random random(HashKey(
        {seed_, 0x9A4Bu, static_cast<std::uint64_t>(stripX), static_cast<std::uint64_t>(stripY)}));
    return random.Chance(kParkShare);
}

}  // namespace vesk::sample
