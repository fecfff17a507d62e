#include "zonemap/PrefectureOutlines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zonemap/PrefectureTable.h"
#include "zonemap/ZoneMap.h"

#include "ZoneMapPrinters.h"

namespace vesk {
namespace {

using Outline = std::span<const PlanePoint>;

struct Extent {
    float xMin;
    float xMax;
    float yMin;
    float yMax;
};

// What every built-in outline must meet.
struct Row {
    int zone;
    int index;
    std::string_view name;
    std::size_t points;
    PlanePoint first;
    PlanePoint beforeClosing;
    Extent extent;
};

constexpr Row kRows[] = {
    {6,
     0,
     "福井県",
     124,
     {-21145.2f, -70304.16f},
     {-20720.67f, -69933.77f},
     {-47606.29f, 64825.05f, -73698.84f, 37602.63f}},
    {6,
     1,
     "三重県",
     127,
     {1691.48f, -253606.55f},
     {3527.98f, -250076.94f},
     {-13449.04f, 86559.72f, -253606.55f, -86084.25f}},
    {6,
     2,
     "滋賀県",
     97,
     {3915.33f, -138558.23f},
     {4424.93f, -135843.52f},
     {-21145.2f, 38725.18f, -138558.23f, -33866.67f}},
    {6,
     3,
     "京都府",
     138,
     {3915.33f, -138558.23f},
     {3408.0f, -137076.84f},
     {-102054.21f, 3915.33f, -144861.9f, -25915.92f}},
    {6,
     4,
     "大阪府",
     86,
     {-86254.23f, -189012.78f},
     {-82113.4f, -189618.05f},
     {-86326.86f, -24524.65f, -190745.03f, -102294.44f}},
    {6,
     5,
     "奈良県",
     98,
     {-13449.04f, -231026.55f},
     {-12639.73f, -231398.3f},
     {-38145.48f, 19326.53f, -233145.48f, -136756.78f}},
    {6,
     6,
     "和歌山県",
     100,
     {1691.48f, -253606.55f},
     {551.55f, -252872.45f},
     {-88745.79f, 1691.48f, -284164.53f, -177768.31f}},
    {9,
     0,
     "千葉県",
     95,
     {5165.27f, -40275.86f},
     {5936.44f, -40261.41f},
     {-7828.83f, 95446.98f, -123817.95f, 9421.8f}},
    {9,
     1,
     "福島県",
     125,
     {87571.31f, 92636.04f},
     {87173.12f, 96025.58f},
     {-61008.95f, 108492.8f, 85333.99f, 225000.02f}},
    {9,
     2,
     "群馬県",
     101,
     {-101257.98f, -1186.53f},
     {-99637.24f, -2050.76f},
     {-123017.09f, -12537.3f, -2050.76f, 114132.04f}},
    {9,
     3,
     "茨城県",
     113,
     {93782.82f, -25590.48f},
     {88249.11f, -19713.79f},
     {-12853.14f, 93782.82f, -28623.15f, 107285.19f}},
    {9,
     4,
     "神奈川県",
     78,
     {-63510.69f, -98245.04f},
     {-59512.07f, -90903.33f},
     {-76442.82f, -6637.92f, -100297.58f, -37394.08f}},
    {9,
     5,
     "埼玉県",
     83,
     {3321.92f, -23072.91f},
     {5958.01f, -20758.48f},
     {-101257.98f, 5958.01f, -27001.8f, 31122.54f}},
    {9,
     6,
     "栃木県",
     76,
     {-12537.3f, 24205.84f},
     {-8475.3f, 23280.92f},
     {-48541.94f, 37984.61f, 23280.92f, 130904.89f}},
    {9,
     7,
     "東京都",
     74,
     {-6637.92f, -50425.19f},
     {-9634.14f, -48956.44f},
     {-79124.54f, 6851.99f, -55235.58f, -12968.61f}},
};

constexpr int kZones[] = {6, 9};

Outline OutlineOf(const Row& row) {
    return PrefectureOutlines(row.zone)[static_cast<std::size_t>(row.index)];
}

Extent ExtentOf(Outline outline) {
    Extent e{outline[0].x, outline[0].x, outline[0].y, outline[0].y};
    for (const PlanePoint& p : outline) {
        e.xMin = std::min(e.xMin, p.x);
        e.xMax = std::max(e.xMax, p.x);
        e.yMin = std::min(e.yMin, p.y);
        e.yMax = std::max(e.yMax, p.y);
    }
    return e;
}

bool Contains(Outline outline, PlanePoint point) {
    return std::find(outline.begin(), outline.end(), point) != outline.end();
}

double DistanceToSegment(PlanePoint p, PlanePoint a, PlanePoint b) {
    const double dx = double{b.x} - a.x;
    const double dy = double{b.y} - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 == 0.0
                         ? 0.0
                         : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double Cross(PlanePoint a, PlanePoint b, PlanePoint c) {
    return (double{b.x} - a.x) * (double{c.y} - a.y) - (double{b.y} - a.y) * (double{c.x} - a.x);
}

bool SegmentsCross(PlanePoint a, PlanePoint b, PlanePoint c, PlanePoint d) {
    const auto opposite = [](double u, double v) { return (u < 0 && v > 0) || (u > 0 && v < 0); };
    return opposite(Cross(a, b, c), Cross(a, b, d)) && opposite(Cross(c, d, a), Cross(c, d, b));
}

// Shoelace sum over the closed outline; negative when it runs clockwise.
double TwiceSignedArea(Outline outline) {
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < outline.size(); ++i) {
        sum += double{outline[i].x} * outline[i + 1].y - double{outline[i + 1].x} * outline[i].y;
    }
    return sum;
}

std::string NameOf(int zone, std::size_t index) {
    return std::string(Prefectures(zone)[index].name);
}

TEST(PrefectureOutlines, ZonesSixAndNineHaveOneOutlinePerPrefecture) {
    EXPECT_EQ(PrefectureOutlines(6).size(), 7u);
    EXPECT_EQ(PrefectureOutlines(9).size(), 8u);
    for (const int zone : {0, 1, 7, 8, 10, 17}) {
        EXPECT_TRUE(PrefectureOutlines(zone).empty()) << "zone " << zone;
    }
    for (const Row& row : kRows) {
        EXPECT_EQ(Prefectures(row.zone)[static_cast<std::size_t>(row.index)].name, row.name);
    }
}

TEST(PrefectureOutlines, PointCountsAreTheTablesWithFifteenHundredFifteenInAll) {
    std::size_t zone6 = 0;
    std::size_t zone9 = 0;
    for (const Row& row : kRows) {
        EXPECT_EQ(OutlineOf(row).size(), row.points) << row.name;
        (row.zone == 6 ? zone6 : zone9) += OutlineOf(row).size();
    }
    EXPECT_EQ(zone6, 770u);
    EXPECT_EQ(zone9, 745u);
    EXPECT_EQ(zone6 + zone9, 1515u);
}

TEST(PrefectureOutlines, EveryOutlineIsClosedOnItsFirstPoint) {
    for (const Row& row : kRows) {
        const Outline outline = OutlineOf(row);
        EXPECT_EQ(outline.front(), outline.back()) << row.name;
        EXPECT_EQ(outline.front(), row.first) << row.name;
        EXPECT_EQ(outline[outline.size() - 2], row.beforeClosing) << row.name;
    }
}

TEST(PrefectureOutlines, KyotoStartsAndEndsWhereShigaStarts) {
    const Outline shiga = PrefectureOutlines(6)[2];
    const Outline kyoto = PrefectureOutlines(6)[3];
    EXPECT_EQ(kyoto.front(), (PlanePoint{3915.33f, -138558.23f}));
    EXPECT_EQ(kyoto.back(), shiga.front());
}

TEST(PrefectureOutlines, ExtentsAreExactlyTheTables) {
    for (const Row& row : kRows) {
        const Extent e = ExtentOf(OutlineOf(row));
        EXPECT_EQ(e.xMin, row.extent.xMin) << row.name;
        EXPECT_EQ(e.xMax, row.extent.xMax) << row.name;
        EXPECT_EQ(e.yMin, row.extent.yMin) << row.name;
        EXPECT_EQ(e.yMax, row.extent.yMax) << row.name;
    }
}

// One simple ring per prefecture: islands or exclaves would have to be joined
// by repeated points or crossing edges.
TEST(PrefectureOutlines, EachIsOneSimpleClockwiseRing) {
    for (const Row& row : kRows) {
        const Outline outline = OutlineOf(row);
        const Outline open = outline.first(outline.size() - 1);
        for (std::size_t i = 0; i < open.size(); ++i) {
            EXPECT_FALSE(Contains(open.subspan(i + 1), open[i])) << row.name << " point " << i;
        }
        EXPECT_LT(TwiceSignedArea(outline), 0.0) << row.name;
        const std::size_t edges = outline.size() - 1;
        for (std::size_t i = 0; i < edges; ++i) {
            for (std::size_t j = i + 2; j < edges; ++j) {
                EXPECT_FALSE(SegmentsCross(outline[i], outline[i + 1], outline[j], outline[j + 1]))
                    << row.name << " edges " << i << " and " << j;
            }
        }
    }
}

TEST(PrefectureOutlines, NeighboursAndOnlyNeighboursShareBorderPoints) {
    const std::set<std::pair<std::string, std::string>> expected = {
        {"福井県", "滋賀県"}, {"福井県", "京都府"},   {"三重県", "滋賀県"},
        {"三重県", "京都府"}, {"三重県", "奈良県"},   {"三重県", "和歌山県"},
        {"滋賀県", "京都府"}, {"京都府", "大阪府"},   {"京都府", "奈良県"},
        {"大阪府", "奈良県"}, {"大阪府", "和歌山県"}, {"奈良県", "和歌山県"},
        {"千葉県", "茨城県"}, {"千葉県", "埼玉県"},   {"千葉県", "東京都"},
        {"福島県", "群馬県"}, {"福島県", "茨城県"},   {"福島県", "栃木県"},
        {"群馬県", "埼玉県"}, {"群馬県", "栃木県"},   {"茨城県", "埼玉県"},
        {"茨城県", "栃木県"}, {"神奈川県", "東京都"}, {"埼玉県", "栃木県"},
        {"埼玉県", "東京都"},
    };
    std::set<std::pair<std::string, std::string>> sharing;
    for (const int zone : kZones) {
        const auto outlines = PrefectureOutlines(zone);
        for (std::size_t a = 0; a < outlines.size(); ++a) {
            for (std::size_t b = a + 1; b < outlines.size(); ++b) {
                const auto common =
                    std::count_if(outlines[a].begin(), outlines[a].end() - 1,
                                  [&](const PlanePoint& p) { return Contains(outlines[b], p); });
                if (common > 0) {
                    EXPECT_GE(common, 2) << NameOf(zone, a) << " and " << NameOf(zone, b);
                    sharing.insert({NameOf(zone, a), NameOf(zone, b)});
                }
            }
        }
    }
    EXPECT_EQ(sharing, expected);
}

// A border simplified once for both sides leaves no point of one outline near
// the other outline unless it is one of the other's points, bit for bit.
TEST(PrefectureOutlines, PointsOnANeighbourAreExactlyItsPoints) {
    constexpr double kNear = 1.0;
    for (const int zone : kZones) {
        const auto outlines = PrefectureOutlines(zone);
        for (std::size_t a = 0; a < outlines.size(); ++a) {
            for (std::size_t b = 0; b < outlines.size(); ++b) {
                if (a == b) {
                    continue;
                }
                const Outline other = outlines[b];
                for (const PlanePoint& p : outlines[a]) {
                    if (Contains(other, p)) {
                        continue;
                    }
                    for (std::size_t i = 0; i + 1 < other.size(); ++i) {
                        EXPECT_GE(DistanceToSegment(p, other[i], other[i + 1]), kNear)
                            << NameOf(zone, a) << " (" << p.x << ", " << p.y << ") near "
                            << NameOf(zone, b);
                    }
                }
            }
        }
    }
}

TEST(PrefectureOutlines, EveryPointFallsInsideItsSurveyMap) {
    struct Span {
        int zone, left, right, top, bottom;
    };
    for (const Span expected : {Span{6, 16, 393, 15, 658}, Span{9, 14, 476, 10, 707}}) {
        const ZoneMap map = BuiltInZoneMap(expected.zone).value();
        Span seen{expected.zone, map.Extent().width, -1, map.Extent().height, -1};
        for (const Outline outline : PrefectureOutlines(expected.zone)) {
            for (const PlanePoint& p : outline) {
                const MapPixel pixel = map.Position(p);
                seen.left = std::min(seen.left, pixel.x);
                seen.right = std::max(seen.right, pixel.x);
                seen.top = std::min(seen.top, pixel.y);
                seen.bottom = std::max(seen.bottom, pixel.y);
            }
        }
        EXPECT_EQ(seen.left, expected.left) << "zone " << expected.zone;
        EXPECT_EQ(seen.right, expected.right) << "zone " << expected.zone;
        EXPECT_EQ(seen.top, expected.top) << "zone " << expected.zone;
        EXPECT_EQ(seen.bottom, expected.bottom) << "zone " << expected.zone;
        EXPECT_GE(seen.left, 0);
        EXPECT_LT(seen.right, map.Extent().width);
        EXPECT_GE(seen.top, 0);
        EXPECT_LT(seen.bottom, map.Extent().height);
    }
}

}  // namespace
}  // namespace vesk
