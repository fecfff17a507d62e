#include "zonemap/ZoneMap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ZoneMapPrinters.h"

namespace vesk {
namespace {

ZoneMap Zone(int zone) {
    return BuiltInZoneMap(zone).value();
}

TEST(BuiltInZoneMap, ZonesSixAndNineHaveTheirOriginsAndExtents) {
    EXPECT_EQ(Zone(6).Origin(), (MapPixel{220, 90}));
    EXPECT_EQ(Zone(6).Extent(), (MapExtent{410, 680}));
    EXPECT_EQ(Zone(9).Origin(), (MapPixel{260, 460}));
    EXPECT_EQ(Zone(9).Extent(), (MapExtent{490, 720}));
}

TEST(BuiltInZoneMap, NoOtherZoneHasOne) {
    for (const int zone : {0, 1, 5, 7, 8, 10, 17, 18, -9}) {
        EXPECT_FALSE(BuiltInZoneMap(zone).has_value()) << "zone " << zone;
    }
}

TEST(MapPosition, PlaneOriginIsTheMapOrigin) {
    EXPECT_EQ(Zone(6).Position({0.0f, 0.0f}), (MapPixel{220, 90}));
    EXPECT_EQ(Zone(9).Position({0.0f, 0.0f}), (MapPixel{260, 460}));
}

TEST(MapPosition, EastIsRightAndNorthIsUpAtFiveHundredMetresAPixel) {
    EXPECT_EQ(Zone(9).Position({3000.0f, 2000.0f}), (MapPixel{266, 456}));
    EXPECT_EQ(Zone(6).Position({-100000.0f, -250000.0f}), (MapPixel{20, 590}));
}

TEST(MapPosition, ProductsAreTruncatedTowardZeroOnBothSides) {
    EXPECT_EQ(Zone(9).Position({-499.0f, 499.0f}), (MapPixel{260, 460}));
    EXPECT_EQ(Zone(9).Position({499.0f, -499.0f}), (MapPixel{260, 460}));
    EXPECT_EQ(Zone(9).Position({-501.0f, 501.0f}), (MapPixel{259, 459}));
    EXPECT_EQ(Zone(9).Position({1999.0f, -1999.0f}), (MapPixel{263, 463}));
}

// Formed in single precision, the product for the float just below 500 m would
// round up to a whole pixel; the exact 0.002 instead of the stored 0.002f would
// lose a pixel 84,215 km out.
TEST(MapPosition, ScaleIsTheSinglePrecisionValueWidenedToDouble) {
    const float justBelow500 = std::nextafter(500.0f, 0.0f);
    EXPECT_EQ(Zone(9).Position({justBelow500, -justBelow500}), (MapPixel{260, 460}));
    EXPECT_EQ(Zone(9).Position({500.0f, -500.0f}), (MapPixel{261, 461}));
    EXPECT_EQ(MapOffset(84215496.0f), 168431.0);
    EXPECT_EQ(MapOffset(-84215496.0f), -168431.0);
}

TEST(MapPosition, ArrowStepOfOneThousandMetresIsTwoPixels) {
    const ZoneMap map = Zone(9);
    for (float x = -5000.0f; x <= 5000.0f; x += 1000.0f) {
        EXPECT_EQ(map.Position({x + 1000.0f, 0.0f}).x - map.Position({x, 0.0f}).x, 2) << x;
    }
}

TEST(MapPosition, CorruptCoordinatesSaturateInsteadOfOverflowing) {
    const float huge = std::numeric_limits<float>::max();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(Zone(6).Position({huge, huge}),
              (MapPixel{std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}));
    EXPECT_EQ(Zone(6).Position({-huge, -huge}),
              (MapPixel{std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}));
    EXPECT_EQ(Zone(6).Position({nan, nan}), (MapPixel{0, 0}));
}

}  // namespace
}  // namespace vesk
