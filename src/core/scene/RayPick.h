#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "model/BlockModel.h"
#include "scene/BuildingDrawMesh.h"

namespace vesk {

// A point and a direction from it; distances along the ray are in lengths of
// the direction.
struct PickRay {
    Vec3 origin;
    Vec3 direction;
};

// A box along the axes, from the lowest of each coordinate to the highest.
struct Extent {
    Vec3 low;
    Vec3 high;
};

// Whether the ray passes through the box (slab test).
bool RayMeetsBox(const PickRay& ray, const Extent& box);

// How far along a ray what it meets lies: infinitely far when it meets nothing.
inline constexpr float kNoHit = std::numeric_limits<float>::infinity();

// The distance along the ray to the nearest of the range's triangles it meets
// in front of its origin, or kNoHit; a range past the indices is cut short.
float NearestTriangle(const PickRay& ray, const std::vector<Vec3>& positions,
                      const std::vector<std::uint32_t>& indices, IndexRange range);

}  // namespace vesk
