#include "geo/PlaneGeoreference.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace vesk::geo {
namespace {

// Runs PROJ's cs2cs on one point given northing first, as the EPSG definition
// of the zones orders the axes, and reads the three numbers it prints.
std::array<double, 3> Cs2cs(int zone, const std::string& target, PlanePosition from) {
    char command[256];
    std::snprintf(command, sizeof command,
                  "echo '%.4f %.4f %.4f' | cs2cs -f %%.10f EPSG:%d %s 2>&1", from.point.northing,
                  from.point.easting, from.height, 2442 + zone, target.c_str());
    std::string output;
    FILE* pipe = ::popen(command, "r");
    EXPECT_NE(pipe, nullptr);
    if (pipe != nullptr) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        EXPECT_EQ(::pclose(pipe), 0) << "cs2cs is needed (proj-bin): " << output;
    }
    std::array<double, 3> values{};
    std::istringstream in(output);
    in.imbue(std::locale::classic());
    EXPECT_TRUE(in >> values[0] >> values[1] >> values[2]) << output;
    return values;
}

// South-west of the zone's origin, and one far from it where the projection's
// curvature shows.
constexpr PlanePosition kZone9Point{{-35000.0, -5000.0}, 0.0};
constexpr PlanePosition kFarPoint{{150000.0, 240000.0}, 812.5};

TEST(PlaneGeoreference, Zone9PointGivesTheLongitudeAndLatitudeOfCs2cs) {
    PlaneGeoreference georeference;
    const auto lonLat = georeference.ToLonLat(9, kZone9Point.point);
    ASSERT_TRUE(lonLat) << lonLat.Error();
    EXPECT_NEAR(lonLat->latitude, 35.9543065, 1e-7);
    EXPECT_NEAR(lonLat->longitude, 139.4453363, 1e-7);

    for (const int zone : {1, 9, 19}) {
        for (const PlanePosition& position : {kZone9Point, kFarPoint}) {
            const auto [latitude, longitude, height] = Cs2cs(zone, "EPSG:4326", position);
            const auto got = georeference.ToLonLat(zone, position.point);
            ASSERT_TRUE(got) << got.Error();
            EXPECT_NEAR(got->latitude, latitude, 1e-9) << zone;
            EXPECT_NEAR(got->longitude, longitude, 1e-9) << zone;
        }
    }
}

TEST(PlaneGeoreference, EcefIsThatOfCs2csWithTheHeightAboveTheEllipsoid) {
    PlaneGeoreference georeference;
    for (const PlanePosition& position : {kZone9Point, kFarPoint}) {
        const auto [x, y, z] = Cs2cs(9, "EPSG:4978", position);
        const auto got = georeference.ToEcef(9, position);
        ASSERT_TRUE(got) << got.Error();
        EXPECT_NEAR(got->x, x, 1e-4);
        EXPECT_NEAR(got->y, y, 1e-4);
        EXPECT_NEAR(got->z, z, 1e-4);
    }
}

TEST(PlaneGeoreference, RoundTripsComeBackWithinAMillimetre) {
    PlaneGeoreference georeference;
    for (const int zone : {1, 6, 9, 19}) {
        const auto lonLat = georeference.ToLonLat(zone, kFarPoint.point);
        ASSERT_TRUE(lonLat) << lonLat.Error();
        const auto plane = georeference.FromLonLat(zone, *lonLat);
        ASSERT_TRUE(plane) << plane.Error();
        EXPECT_NEAR(plane->easting, kFarPoint.point.easting, 1e-3);
        EXPECT_NEAR(plane->northing, kFarPoint.point.northing, 1e-3);

        const auto ecef = georeference.ToEcef(zone, kFarPoint);
        ASSERT_TRUE(ecef) << ecef.Error();
        const auto back = georeference.FromEcef(zone, *ecef);
        ASSERT_TRUE(back) << back.Error();
        EXPECT_NEAR(back->point.easting, kFarPoint.point.easting, 1e-3);
        EXPECT_NEAR(back->point.northing, kFarPoint.point.northing, 1e-3);
        EXPECT_NEAR(back->height, kFarPoint.height, 1e-3);
    }
}

TEST(PlaneGeoreference, ZonesOutsideOneToNineteenAndNonFiniteInputGiveAReason) {
    PlaneGeoreference georeference;
    for (const int zone : {0, 20, -9}) {
        const auto lonLat = georeference.ToLonLat(zone, kZone9Point.point);
        EXPECT_FALSE(lonLat);
        EXPECT_NE(lonLat.Error().find("zone " + std::to_string(zone) + " has no"),
                  std::string::npos);
        EXPECT_FALSE(georeference.ToEcef(zone, kZone9Point));
        EXPECT_FALSE(georeference.FromLonLat(zone, {139.0, 36.0}));
    }
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(georeference.ToLonLat(9, PlanePoint{std::nan(""), 0.0}));
    const auto plane = georeference.FromEcef(9, Ecef{kInfinity, 0.0, 0.0});
    EXPECT_FALSE(plane);
    EXPECT_NE(plane.Error().find("not a finite"), std::string::npos);

    const PlanePoint points[] = {kZone9Point.point, {0.0, -kInfinity}};
    EXPECT_FALSE(georeference.ToLonLat(9, points));
    EXPECT_TRUE(georeference.ToLonLat(9, std::span(points, 1)));
}

}  // namespace
}  // namespace vesk::geo
