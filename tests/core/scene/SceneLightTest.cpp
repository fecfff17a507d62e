// The light the preview shades with: sides of a building facing different
// ways differ, so its corners show; level ground keeps its own colour.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/SceneLight.h"

namespace vesk {
namespace {

// A wall's outward normal, facing that many degrees anticlockwise from east.
Vec3 Wall(float degrees) {
    const float radians = degrees * 3.14159265f / 180.0f;
    return {std::cos(radians), std::sin(radians), 0.0f};
}

constexpr float kEast = 0.0f;
constexpr float kNorth = 90.0f;
constexpr float kWest = 180.0f;
constexpr float kSouthWest = 225.0f;
constexpr float kSouth = 270.0f;

TEST(SceneLight, SunStandsInTheSouthWestAboutHalfwayUp) {
    const Vec3 sun = SceneLight{}.TowardSun();
    EXPECT_NEAR(sun.x * sun.x + sun.y * sun.y + sun.z * sun.z, 1.0f, 1e-6f);
    EXPECT_LT(sun.x, 0.0f);
    EXPECT_LT(sun.y, 0.0f);
    EXPECT_NEAR(std::asin(sun.z) * 180.0f / 3.14159265f, 45.0f, 1e-3f);
    // Within the south-west's eighth of the compass.
    const float azimuth = std::atan2(sun.y, sun.x) * 180.0f / 3.14159265f + 360.0f;
    EXPECT_GT(azimuth, kSouthWest - 22.5f);
    EXPECT_LT(azimuth, kSouthWest + 22.5f);
}

// The first view looks from the south-west: its south and west sides show.
TEST(SceneLight, SidesSeenFromTheSouthWestDiffer) {
    const SceneLight light;
    const float south = light.Share(Wall(kSouth));
    const float west = light.Share(Wall(kWest));
    EXPECT_GT(std::abs(south - west), 0.1f);
    EXPECT_GT(south, light.ambient);
    EXPECT_GT(west, light.ambient);
    EXPECT_LT(south, 1.0f);
    EXPECT_LT(west, 1.0f);
}

TEST(SceneLight, SidesTurnedFromTheSunShowTheAmbientShare) {
    const SceneLight light;
    EXPECT_FLOAT_EQ(light.Share(Wall(kNorth)), light.ambient);
    EXPECT_FLOAT_EQ(light.Share(Wall(kEast)), light.ambient);
    EXPECT_FLOAT_EQ(light.Share({0.0f, 0.0f, -1.0f}), light.ambient);
}

TEST(SceneLight, LevelGroundAndSlopesTowardTheSunShowTheirOwnColour) {
    const SceneLight light;
    EXPECT_FLOAT_EQ(light.Share({0.0f, 0.0f, 1.0f}), 1.0f);
    const Vec3 sun = light.TowardSun();
    EXPECT_FLOAT_EQ(light.Share(sun), 1.0f);
    // A slope turned away from the sun is darker than level ground, but lit.
    const float length = std::sqrt(0.25f * (sun.x * sun.x + sun.y * sun.y) + 1.0f);
    const float away = light.Share({-0.5f * sun.x / length, -0.5f * sun.y / length, 1.0f / length});
    EXPECT_LT(away, 1.0f);
    EXPECT_GT(away, light.ambient);
}

}  // namespace
}  // namespace vesk
