#include "zonemap/FittedZoneMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

#include "ZoneMapPrinters.h"

namespace vesk {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

PlaneRect Sheet(float x, float y) {
    return {x, y, 2000.0f, 1500.0f};
}

// The corners as the survey map draws a sheet: the far one summed in single precision.
void ExpectInsideWithMargin(const ZoneMap& map, const PlaneRect& sheet) {
    const MapPixel sw = map.Position({sheet.originX, sheet.originY});
    const MapPixel ne = map.Position({sheet.originX + sheet.width, sheet.originY + sheet.height});
    EXPECT_GE(sw.x, kFittedMapMargin);
    EXPECT_GE(ne.y, kFittedMapMargin);
    EXPECT_LE(ne.x, map.Extent().width - kFittedMapMargin);
    EXPECT_LE(sw.y, map.Extent().height - kFittedMapMargin);
}

// Expected figures worked out by hand: the scale is the smaller of 760 and 560
// pixels over the sheets' width and height in metres, at least 0.002.
TEST(FitZoneMap, TwoNeighboursFillTheWidthAndTheMapKeepsItsLeastHeight) {
    const ZoneMap map = FitZoneMap(std::vector{Sheet(0.0f, 0.0f), Sheet(2000.0f, 0.0f)});
    EXPECT_DOUBLE_EQ(map.Scale(), 760.0 / 4000.0);
    EXPECT_EQ(map.Extent(), (MapExtent{800, 360}));
    // 285 pixels of sheet in the middle of 360: 37 above, 38 below.
    EXPECT_EQ(map.Position({0.0f, 1500.0f}), (MapPixel{20, 37}));
    EXPECT_EQ(map.Position({4000.0f, 0.0f}), (MapPixel{780, 322}));
}

TEST(FitZoneMap, OneSheetFillsTheHeight) {
    const PlaneRect sheet = Sheet(3000.0f, 2000.0f);
    const ZoneMap map = FitZoneMap(std::vector{sheet});
    EXPECT_DOUBLE_EQ(map.Scale(), 560.0 / 1500.0);
    EXPECT_EQ(map.Extent(), (MapExtent{786, 600}));
    ExpectInsideWithMargin(map, sheet);
    EXPECT_EQ(map.Position({3000.0f, 3500.0f}), (MapPixel{20, 20}));
}

TEST(FitZoneMap, SheetsOnBothSidesOfTheAxesAllLieInsideAndTouchTheMargins) {
    const std::vector<PlaneRect> sheets = {
        Sheet(-1000.0f, -750.0f), Sheet(-52000.0f, 18000.0f), Sheet(28000.0f, -31500.0f),
        Sheet(-500.0f, 20000.0f), Sheet(24000.0f, 1500.0f),
    };
    const ZoneMap map = FitZoneMap(sheets);
    EXPECT_GT(map.Scale(), 0.002);
    int left = map.Extent().width, top = map.Extent().height, right = 0, bottom = 0;
    for (const PlaneRect& sheet : sheets) {
        ExpectInsideWithMargin(map, sheet);
        const MapPixel sw = map.Position({sheet.originX, sheet.originY});
        const MapPixel ne =
            map.Position({sheet.originX + sheet.width, sheet.originY + sheet.height});
        left = std::min(left, sw.x);
        bottom = std::max(bottom, sw.y);
        right = std::max(right, ne.x);
        top = std::min(top, ne.y);
    }
    // The width sets the scale (82 km against 51 km; truncating both sides may
    // cost a pixel): it touches both margins, and the height is centred.
    EXPECT_GE(map.Extent().width, 799);
    EXPECT_LE(map.Extent().width, 800);
    EXPECT_EQ(left, kFittedMapMargin);
    EXPECT_EQ(right, map.Extent().width - kFittedMapMargin);
    EXPECT_LE(std::abs(top - (map.Extent().height - bottom)), 1);
}

TEST(FitZoneMap, WideSurveysKeepTheScaleOfTheBuiltInMaps) {
    const ZoneMap map = FitZoneMap(std::vector{Sheet(0.0f, 0.0f), Sheet(400000.0f, -50000.0f)});
    EXPECT_EQ(map.Scale(), static_cast<double>(kMapScale));
    const MapPixel a = map.Position({0.0f, 0.0f});
    const MapPixel b = map.Position({400000.0f, -50000.0f});
    EXPECT_EQ(b.x - a.x, 800);
    EXPECT_EQ(b.y - a.y, 100);
    EXPECT_EQ(map.Extent(), (MapExtent{844, 360}));
}

TEST(FitZoneMap, WithoutSheetsThePlaneOriginIsInTheMiddle) {
    const ZoneMap map = FitZoneMap({});
    EXPECT_EQ(map.Extent(), (MapExtent{480, 360}));
    EXPECT_EQ(map.Origin(), (MapPixel{240, 180}));
}

TEST(FitZoneMap, SheetsWithoutFiniteCornersAreLeftOut) {
    const PlaneRect good = Sheet(-40000.0f, 70000.0f);
    const float huge = std::numeric_limits<float>::max();
    const std::vector<PlaneRect> withBad = {{kNaN, 0.0f, 2000.0f, 1500.0f},
                                            good,
                                            {0.0f, 0.0f, kNaN, 1500.0f},
                                            {huge, 0.0f, huge, 1500.0f}};
    EXPECT_EQ(FitZoneMap(withBad), FitZoneMap(std::vector{good}));
}

TEST(FitZoneMap, CorruptSheetsCannotMakeTheMapHugeNorItsScaleEndless) {
    const ZoneMap far = FitZoneMap(std::vector{Sheet(0.0f, 0.0f), Sheet(1e30f, -1e30f)});
    EXPECT_EQ(far.Extent(), (MapExtent{kFittedMapMaxSide, kFittedMapMaxSide}));
    const ZoneMap tiny = FitZoneMap(std::vector{PlaneRect{5.0f, 5.0f, 1e-30f, 1e-30f}});
    EXPECT_EQ(tiny.Scale(), kFittedMapMaxScale);
    EXPECT_EQ(tiny.Extent(), (MapExtent{480, 360}));
}

TEST(SurveyZoneMap, ZonesSixAndNineKeepTheirBuiltInMaps) {
    const std::vector<PlaneRect> farSheets = {Sheet(900000.0f, 900000.0f)};
    EXPECT_EQ(SurveyZoneMap(6, farSheets), *BuiltInZoneMap(6));
    EXPECT_EQ(SurveyZoneMap(9, farSheets), *BuiltInZoneMap(9));
}

TEST(SurveyZoneMap, OtherZonesAreFittedToTheirSheets) {
    const std::vector<PlaneRect> sheets = {Sheet(-20000.0f, 10000.0f), Sheet(30000.0f, 5000.0f)};
    for (const int zone : {1, 7, 17}) {
        EXPECT_EQ(SurveyZoneMap(zone, sheets), FitZoneMap(sheets)) << "zone " << zone;
    }
}

}  // namespace
}  // namespace vesk
