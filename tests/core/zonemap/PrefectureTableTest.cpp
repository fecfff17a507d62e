#include "zonemap/PrefectureTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZoneMapPrinters.h"

namespace vesk {
namespace {

std::vector<std::string> Names(int zone) {
    std::vector<std::string> names;
    for (const Prefecture& prefecture : Prefectures(zone)) {
        names.emplace_back(prefecture.name);
    }
    return names;
}

TEST(PrefectureTable, CountsAreSevenForZoneSixEightForZoneNineNoneElsewhere) {
    EXPECT_EQ(PrefectureCount(6), 7);
    EXPECT_EQ(PrefectureCount(9), 8);
    for (const int zone : {0, 1, 7, 8, 10, 17, 19, -6}) {
        EXPECT_EQ(PrefectureCount(zone), 0) << "zone " << zone;
    }
}

TEST(PrefectureTable, NamesAreInTableOrder) {
    EXPECT_EQ(Names(6), (std::vector<std::string>{"福井県", "三重県", "滋賀県", "京都府", "大阪府",
                                                  "奈良県", "和歌山県"}));
    EXPECT_EQ(Names(9), (std::vector<std::string>{"千葉県", "福島県", "群馬県", "茨城県",
                                                  "神奈川県", "埼玉県", "栃木県", "東京都"}));
}

TEST(PrefectureTable, LabelsAreTheStoredFloats) {
    const auto label = [](int zone, int index) { return Prefectures(zone)[index].label; };
    EXPECT_EQ(label(6, 0), (PlanePoint{26000.0f, -3000.0f}));
    EXPECT_EQ(label(6, 4), (PlanePoint{-40983.14f, -146678.23f}));
    EXPECT_EQ(label(6, 5), (PlanePoint{-9340.2f, -184994.83f}));
    EXPECT_EQ(label(9, 1), (PlanePoint{24771.957f, 152765.86f}));
    EXPECT_EQ(label(9, 4), (PlanePoint{-41284.363f, -68000.0f}));
    EXPECT_EQ(label(9, 5), (PlanePoint{-44528.477f, -2907.2815f}));
    EXPECT_EQ(label(9, 6), (PlanePoint{-2897.4766f, 71697.38f}));
    EXPECT_EQ(label(9, 7), (PlanePoint{-32541.805f, -34007.18f}));
}

TEST(PrefectureNameAndLabel, GivesTheEntryOfZoneSixOrNine) {
    const PrefectureLabel wakayama = PrefectureNameAndLabel(6, 6);
    EXPECT_EQ(wakayama.name, "和歌山県");
    EXPECT_EQ(wakayama.position, (PlanePoint{-53000.0f, -235000.0f}));
    const PrefectureLabel chiba = PrefectureNameAndLabel(9, 0);
    EXPECT_EQ(chiba.name, "千葉県");
    EXPECT_EQ(chiba.position, (PlanePoint{36000.0f, -56000.0f}));
}

TEST(PrefectureNameAndLabel, OtherZonesGiveUndefinedAtTheOriginForEveryIndex) {
    for (const int zone : {0, 1, 7, 17}) {
        for (const int index : {0, 3, 6, 7, 100}) {
            const PrefectureLabel label = PrefectureNameAndLabel(zone, index);
            EXPECT_EQ(label.name, "未定義") << zone << "/" << index;
            EXPECT_EQ(label.position, (PlanePoint{0.0f, 0.0f})) << zone << "/" << index;
        }
    }
}

// A placement chosen on the zone 9 map (index 7) can be carried into a zone 6 survey.
TEST(PrefectureNameAndLabel, IndexOutsideTheZoneTableGivesUndefined) {
    EXPECT_EQ(PrefectureNameAndLabel(6, 7).name, "未定義");
    EXPECT_EQ(PrefectureNameAndLabel(9, 8).name, "未定義");
    EXPECT_EQ(PrefectureNameAndLabel(9, -1).name, "未定義");
    EXPECT_EQ(PrefectureNameAndLabel(9, 7).name, "東京都");
}

}  // namespace
}  // namespace vesk
