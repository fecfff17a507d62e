#include "model/GeosContext.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using ::testing::HasSubstr;

// What GEOS says of a failure is kept for the report instead of being lost,
// once: the next failure without a message of its own does not repeat it.
TEST(GeosContext, KeepsGeossReasonForItsLastFailureOnce) {
    const GeosContext geos;
    const double twoCorners[] = {0.0, 0.0, 1.0, 1.0};
    GEOSCoordSequence* sequence = GEOSCoordSeq_copyFromBuffer_r(geos.Handle(), twoCorners, 2, 0, 0);
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(GEOSGeom_createLinearRing_r(geos.Handle(), sequence), nullptr);
    EXPECT_THAT(geos.TakeMessage(), HasSubstr("IllegalArgumentException"));
    EXPECT_EQ(geos.TakeMessage(), "GEOS gave no reason");
}

}  // namespace
}  // namespace vesk
