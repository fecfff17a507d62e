#include "zonemap/FittedZoneMap.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(FitZoneMap, OneSheetGetsTheMarginOnEverySide) {
    const PlaneRect sheet = Sheet(3000.0f, 2000.0f);
    const ZoneMap map = FitZoneMap(std::vector{sheet});
    EXPECT_EQ(map.Origin(), (MapPixel{14, 27}));
    EXPECT_EQ(map.Extent(), (MapExtent{44, 43}));
    EXPECT_EQ(map.Position({3000.0f, 2000.0f}), (MapPixel{20, 23}));
    EXPECT_EQ(map.Position({5000.0f, 3500.0f}), (MapPixel{24, 20}));
}

TEST(FitZoneMap, SheetsOnBothSidesOfTheAxesAllLieInsideAndTouchTheMargins) {
    const std::vector<PlaneRect> sheets = {
        Sheet(-1000.0f, -750.0f),  Sheet(-152000.0f, 48000.0f), Sheet(98000.0f, -301500.0f),
        Sheet(-500.0f, 120000.0f), Sheet(64000.0f, 1500.0f),
    };
    const ZoneMap map = FitZoneMap(sheets);
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
    EXPECT_EQ(left, kFittedMapMargin);
    EXPECT_EQ(top, kFittedMapMargin);
    EXPECT_EQ(right, map.Extent().width - kFittedMapMargin);
    EXPECT_EQ(bottom, map.Extent().height - kFittedMapMargin);
}

TEST(FitZoneMap, KeepsTheScaleOfTheBuiltInMaps) {
    const ZoneMap map = FitZoneMap(std::vector{Sheet(0.0f, 0.0f), Sheet(100000.0f, -50000.0f)});
    const MapPixel a = map.Position({0.0f, 0.0f});
    const MapPixel b = map.Position({100000.0f, -50000.0f});
    EXPECT_EQ(b.x - a.x, 200);
    EXPECT_EQ(b.y - a.y, 100);
}

TEST(FitZoneMap, WithoutSheetsThePlaneOriginIsKeptInside) {
    const ZoneMap map = FitZoneMap({});
    EXPECT_EQ(map.Origin(), (MapPixel{20, 20}));
    EXPECT_EQ(map.Extent(), (MapExtent{40, 40}));
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

TEST(FitZoneMap, CorruptFarOffSheetCannotMakeTheMapHuge) {
    const std::vector<PlaneRect> sheets = {Sheet(0.0f, 0.0f), Sheet(1e30f, -1e30f)};
    const ZoneMap map = FitZoneMap(sheets);
    EXPECT_EQ(map.Extent(), (MapExtent{kFittedMapMaxSide, kFittedMapMaxSide}));
    EXPECT_EQ(map.Origin(), (MapPixel{20, 23}));
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
