// Where survey entries lie on the map of their zone, which one a point hits,
// and which zones a survey offers.
#include <gtest/gtest.h>

#include "survey/SurveyHitTest.h"
#include "survey/SurveyMapGeometry.h"
#include "survey/ZonePresenceFlags.h"
#include "zonemap/FittedZoneMap.h"

namespace vesk {
namespace {

SurveyEntry Entry(int zone, float x, float y, std::string name = "") {
    return SurveyEntry{SheetArea{2500, zone, x, y, 2000.0f, 1500.0f}, std::move(name), "s.tqb"};
}

const ZoneMap kZone9 = *BuiltInZoneMap(9);

TEST(SurveyEntryRect, SheetCornersMapFourByThreePixelsOrOneLessAcrossAnAxis) {
    EXPECT_EQ(SurveyEntryRect(Entry(9, 0, 0).area, kZone9), (PixelRect{260, 457, 264, 460}));
    // x from -500 to 1500 truncates to -1 and 3; from -499 to 1501, to 0 and 3.
    EXPECT_EQ(SurveyEntryRect(Entry(9, -500, 0).area, kZone9), (PixelRect{259, 457, 263, 460}));
    EXPECT_EQ(SurveyEntryRect(Entry(9, -499, -1000).area, kZone9), (PixelRect{260, 459, 263, 462}));
}

TEST(SurveyHitTest, LeftAndTopEdgesHitRightAndBottomEdgesDoNot) {
    const SurveyList list = {Entry(9, 0, 0)};  // pixels 260..263 by 457..459
    EXPECT_EQ(FindSurveyEntryAt(list, 9, kZone9, 260, 457), 0u);
    EXPECT_EQ(FindSurveyEntryAt(list, 9, kZone9, 263, 459), 0u);
    EXPECT_FALSE(FindSurveyEntryAt(list, 9, kZone9, 264, 458));
    EXPECT_FALSE(FindSurveyEntryAt(list, 9, kZone9, 261, 460));
    EXPECT_FALSE(FindSurveyEntryAt(list, 9, kZone9, 259, 458));
    EXPECT_FALSE(FindSurveyEntryAt(list, 9, kZone9, 261, 456));
}

TEST(SurveyHitTest, OverlapGivesTheEntryReadFirstAndOtherZonesArePassedOver) {
    const SurveyList list = {Entry(6, 0, 0), Entry(9, 1000, 0), Entry(9, 0, 0), Entry(9, 0, 0)};
    EXPECT_EQ(FindSurveyEntryAt(list, 9, kZone9, 261, 458), 2u);
    EXPECT_EQ(FindSurveyEntryAt(list, 9, kZone9, 262, 458), 1u);
    EXPECT_FALSE(FindSurveyEntryAt(list, 7, kZone9, 261, 458));
}

TEST(SurveyHitTest, NegativeSizeOrNonFiniteAreaIsNeverHit) {
    SurveyList list = {Entry(9, 0, 0)};
    list[0].area.width = -2000.0f;
    list.push_back(Entry(9, std::numeric_limits<float>::quiet_NaN(), 0));
    for (int x = 250; x < 270; ++x) {
        EXPECT_FALSE(FindSurveyEntryAt(list, 9, kZone9, x, 458)) << x;
    }
}

TEST(MapOfSurveyZone, BuiltInZonesKeepTheirMapWhateverTheSheets) {
    const SurveyList list = {Entry(9, 900000, 900000), Entry(6, 0, 0)};
    EXPECT_EQ(MapOfSurveyZone(list, 9), kZone9);
    EXPECT_EQ(MapOfSurveyZone(list, 6), *BuiltInZoneMap(6));
}

TEST(MapOfSurveyZone, OtherZonesFitTheirOwnSheetsWithAMarginAndCanBeHit) {
    const SurveyList list = {Entry(7, 50000, -20000, "a"), Entry(9, 0, 0),
                             Entry(7, -30000, 40000, "b")};
    const ZoneMap map = MapOfSurveyZone(list, 7);
    for (const std::size_t index : {0u, 2u}) {
        const PixelRect rect = SurveyEntryRect(list[index].area, map);
        EXPECT_GE(rect.left, kFittedMapMargin);
        EXPECT_GE(rect.top, kFittedMapMargin);
        EXPECT_LE(rect.right, map.Extent().width - kFittedMapMargin);
        EXPECT_LE(rect.bottom, map.Extent().height - kFittedMapMargin);
        EXPECT_EQ(FindSurveyEntryAt(list, 7, map, rect.left, rect.top), index);
    }
    // 82,000 m by 61,500 m of sheets: the height sets the scale, 560 / 61,500
    // pixels a metre, and the margins come around it.
    EXPECT_EQ(map.Extent(), (MapExtent{786, 599}));
    // The zone-9 sheet at (0, 0) plays no part in the zone-7 map.
    EXPECT_EQ(MapOfSurveyZone({list[0]}, 7).Extent(), (MapExtent{787, 600}));
}

TEST(ZonePresenceFlags, ZonesZeroToNineteenSetTheirFlagOthersNone) {
    const SurveyList list = {Entry(9, 0, 0), Entry(0, 0, 0),  Entry(19, 0, 0),
                             Entry(9, 0, 0), Entry(-1, 0, 0), Entry(20, 0, 0)};
    const ZonePresence presence = PresentZones(list);
    ZonePresence expected{};
    expected[0] = expected[9] = expected[19] = 1;
    EXPECT_EQ(presence, expected);
    EXPECT_EQ(ZonesPresent(presence), (std::vector<int>{9, 19}));
    EXPECT_EQ(PresentZones({}), ZonePresence{});
}

}  // namespace
}  // namespace vesk
