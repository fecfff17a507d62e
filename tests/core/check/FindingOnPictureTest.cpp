// Where the sheet picture draws a finding: the sheet's 2000 x 1500 metres on a
// 500 x 375 picture, a quarter pixel a metre, north up.
#include <gtest/gtest.h>

#include <limits>

#include "check/FindingOnPicture.h"

namespace vesk {
namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 375;

SheetArea Sheet() {
    return {.scale = 2500,
            .zone = 9,
            .originX = -8000.0f,
            .originY = -35000.0f,
            .width = 2000.0f,
            .height = 1500.0f};
}

Finding At(double x, double y) {
    Finding finding;
    finding.x = x;
    finding.y = y;
    return finding;
}

void ExpectPoint(const PicturePoint& seen, double x, double y) {
    EXPECT_DOUBLE_EQ(seen.x, x);
    EXPECT_DOUBLE_EQ(seen.y, y);
}

TEST(FindingOnPicture, PlaceIsOnePointWithTheSouthWestCornerBottomLeft) {
    const auto southWest = FindingOnPicture(Sheet(), kWidth, kHeight, At(-8000.0, -35000.0));
    ASSERT_EQ(southWest.size(), 1u);
    ExpectPoint(southWest[0], 0.0, 375.0);
    const auto northEast = FindingOnPicture(Sheet(), kWidth, kHeight, At(-6000.0, -33500.0));
    ASSERT_EQ(northEast.size(), 1u);
    ExpectPoint(northEast[0], 500.0, 0.0);
}

// A 4 metre square a kilometre into the sheet each way: one pixel a side.
TEST(FindingOnPicture, FootprintGivesItsCornersInsteadOfThePlace) {
    Finding finding = At(0.0, 0.0);
    finding.footprint = {{-7000, -34000}, {-6996, -34000}, {-6996, -33996}, {-7000, -33996}};
    const auto corners = FindingOnPicture(Sheet(), kWidth, kHeight, finding);
    ASSERT_EQ(corners.size(), 4u);
    ExpectPoint(corners[0], 250.0, 125.0);
    ExpectPoint(corners[1], 251.0, 125.0);
    ExpectPoint(corners[2], 251.0, 124.0);
    ExpectPoint(corners[3], 250.0, 124.0);
}

TEST(FindingOnPicture, NothingWithoutAScaleOrForACornerThatIsNoNumber) {
    SheetArea flat = Sheet();
    flat.height = 0.0f;
    EXPECT_TRUE(FindingOnPicture(flat, kWidth, kHeight, At(-7000.0, -34000.0)).empty());
    SheetArea unreadable = Sheet();
    unreadable.width = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(FindingOnPicture(unreadable, kWidth, kHeight, At(-7000.0, -34000.0)).empty());
    Finding finding;
    finding.footprint = {{-7000, -34000}, {std::numeric_limits<double>::quiet_NaN(), -34000}};
    EXPECT_TRUE(FindingOnPicture(Sheet(), kWidth, kHeight, finding).empty());
}

}  // namespace
}  // namespace vesk
