#pragma once

#include <cstdint>
#include <vector>

namespace vesk::sample {

// Streets run along the grid of the plane: those crossing the x axis run north to
// south (constant x), those crossing the y axis run west to east.
enum class Axis { X, Y };

// One street across an axis: the band [low, high] it covers along that axis.
struct Street {
    std::int64_t index = 0;
    double low = 0.0;
    double high = 0.0;
    bool main = false;
};

// The land between street index and street index + 1 along an axis, maybe clipped.
struct Strip {
    std::int64_t index = 0;
    double low = 0.0;
    double high = 0.0;
};

// A street grid defined on the whole plane by the seed alone: street k of an axis
// lies somewhere in the k-th cell of that axis, so any window of the plane can be
// asked for its streets, and sheets and sub-sheets agree where they meet.
class StreetPlan {
public:
    explicit StreetPlan(std::uint32_t seed) : seed_(seed) {}

    Street StreetAt(Axis axis, std::int64_t index) const;
    // Streets whose band meets [from, to], in order along the axis.
    std::vector<Street> StreetsAcross(Axis axis, double from, double to) const;
    // The land between the streets, clipped to [from, to], leaving out slivers
    // narrower than minimumWidth.
    std::vector<Strip> StripsAcross(Axis axis, double from, double to, double minimumWidth) const;
    // Some blocks are parks: open green land without buildings.
    bool IsPark(std::int64_t stripX, std::int64_t stripY) const;

private:
    std::uint32_t seed_;
};

}  // namespace vesk::sample
