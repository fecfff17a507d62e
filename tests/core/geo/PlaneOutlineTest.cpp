#include "geo/PlaneOutline.h"

#include <gtest/gtest.h>

namespace vesk::geo {
namespace {

double SignedArea(const std::vector<PlanePoint>& ring) {
    double twice = 0.0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
        twice += ring[i].easting * ring[i + 1].northing - ring[i + 1].easting * ring[i].northing;
    }
    return twice / 2.0;
}

TEST(PlaneOutline, RingIsClosedCounterClockwiseWithEvenStepsOnEachSide) {
    const PlaneRectangle sheet{{-850.0, 120.0}, 2000.0, 1500.0};
    const auto ring = DensifiedOutline(sheet, 8);
    ASSERT_EQ(ring.size(), 33u);
    EXPECT_DOUBLE_EQ(SignedArea(ring), 2000.0 * 1500.0);
    EXPECT_DOUBLE_EQ(ring.front().easting, ring.back().easting);
    EXPECT_DOUBLE_EQ(ring.front().northing, ring.back().northing);
    // The corners begin the sides; the points between are 250 m apart on the
    // south side and 187.5 m on the east side.
    EXPECT_DOUBLE_EQ(ring[1].easting, -600.0);
    EXPECT_DOUBLE_EQ(ring[8].easting, 1150.0);
    EXPECT_DOUBLE_EQ(ring[9].northing, 307.5);
    EXPECT_DOUBLE_EQ(ring[16].northing, 1620.0);
    EXPECT_DOUBLE_EQ(ring[24].easting, -850.0);
    EXPECT_DOUBLE_EQ(ring[31].northing, 307.5);
}

}  // namespace
}  // namespace vesk::geo
