#include "scene/SceneLight.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk {

Vec3 SceneLight::TowardSun() const {
    constexpr float kRadiansPerDegree = std::numbers::pi_v<float> / 180.0f;
    const float azimuth = azimuthDegrees * kRadiansPerDegree;
    const float elevation = elevationDegrees * kRadiansPerDegree;
    return {std::cos(elevation) * std::cos(azimuth), std::cos(elevation) * std::sin(azimuth),
            std::sin(elevation)};
}

// Steep slopes facing the sun would be lit more than level ground: they stop
// at the surface's own colour.
float SceneLight::Share(const Vec3& normal) const {
    const Vec3 sun = TowardSun();
    const float facing = normal.x * sun.x + normal.y * sun.y + normal.z * sun.z;
    return std::min(ambient + (1.0f - ambient) * std::max(facing, 0.0f) / sun.z, 1.0f);
}

}  // namespace vesk
