#include "scene/RayPick.h"

#include <algorithm>
#include <cmath>

namespace vesk {
namespace {

Vec3 Minus(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The distance along the ray to the triangle, or infinity (Moller and Trumbore).
float RayTriangle(const PickRay& ray, const Vec3& a, const Vec3& b, const Vec3& c) {
    const Vec3 ab = Minus(b, a);
    const Vec3 ac = Minus(c, a);
    const Vec3 p = Cross(ray.direction, ac);
    const float det = Dot(ab, p);
    if (std::abs(det) < 1e-12f) {
        return kNoHit;
    }
    const Vec3 s = Minus(ray.origin, a);
    const float u = Dot(s, p) / det;
    if (u < 0.0f || u > 1.0f) {
        return kNoHit;
    }
    const Vec3 q = Cross(s, ab);
    const float v = Dot(ray.direction, q) / det;
    if (v < 0.0f || u + v > 1.0f) {
        return kNoHit;
    }
    const float t = Dot(ac, q) / det;
    return t > 0.0f ? t : kNoHit;
}

}  // namespace

bool RayMeetsBox(const PickRay& ray, const Extent& box) {
    float enter = 0.0f;
    float leave = kNoHit;
    const float origins[] = {ray.origin.x, ray.origin.y, ray.origin.z};
    const float directions[] = {ray.direction.x, ray.direction.y, ray.direction.z};
    const float lows[] = {box.low.x, box.low.y, box.low.z};
    const float highs[] = {box.high.x, box.high.y, box.high.z};
    for (int axis = 0; axis < 3; ++axis) {
        const float o = origins[axis];
        const float d = directions[axis];
        if (std::abs(d) < 1e-12f) {
            if (o < lows[axis] || o > highs[axis]) {
                return false;
            }
            continue;
        }
        const float t1 = (lows[axis] - o) / d;
        const float t2 = (highs[axis] - o) / d;
        enter = std::max(enter, std::min(t1, t2));
        leave = std::min(leave, std::max(t1, t2));
    }
    return enter <= leave;
}

float NearestTriangle(const PickRay& ray, const std::vector<Vec3>& positions,
                      const std::vector<std::uint32_t>& indices, IndexRange range) {
    float nearest = kNoHit;
    const std::size_t end =
        std::min<std::size_t>(std::size_t{range.first} + range.count, indices.size());
    for (std::size_t i = range.first; i + 3 <= end; i += 3) {
        const auto vertex = [&](std::size_t k) -> const Vec3& { return positions[indices[k]]; };
        nearest = std::min(nearest, RayTriangle(ray, vertex(i), vertex(i + 1), vertex(i + 2)));
    }
    return nearest;
}

}  // namespace vesk
