// One known fault per block, from sheets made by the test sheet builder: the
// code, severity and building each fault is found with, and the limits that
// separate a fault from sound data.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <geos_c.h>

#include <cmath>
#include <limits>

#include "CheckSheetFixture.h"
#include "CommaLocale.h"
#include "SgiTestFile.h"

namespace vesk {
namespace {

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::FieldsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Optional;

constexpr Severity kError = Severity::kError;
constexpr Severity kWarning = Severity::kWarning;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
const std::optional<std::uint32_t> kSecond = 1;

struct FaultyBuilding {
    const char* fault;
    std::vector<std::pair<float, float>> corners;
    float bottom;
    float roof;
    std::vector<test::CheckSheetFixture::Seen> found;
};

class BuildingFaults : public test::CheckSheetFixture,
                       public ::testing::WithParamInterface<FaultyBuilding> {};

// The faulty building is the second of its block, after a sound one.
TEST_P(BuildingFaults, AreFoundWithTheirCodeSeverityAndBuilding) {
    const FaultyBuilding& c = GetParam();
    OpenBlock();
    FlatGround();
    SoundSquare();
    AddBuilding(c.corners, c.bottom, c.roof);
    EXPECT_EQ(Found(), c.found) << c.fault;
}

constexpr float kG = test::CheckSheetFixture::kGround;
const std::vector<std::pair<float, float>> kSquare{{200, 200}, {220, 200}, {220, 220}, {200, 220}};

INSTANTIATE_TEST_SUITE_P(
    Check, BuildingFaults,
    ::testing::Values(
        FaultyBuilding{"sound", kSquare, kG, kG + 10, {}},
        FaultyBuilding{"two distinct corners",
                       {{200, 200}, {210, 200}, {210, 200}},
                       kG,
                       kG + 10,
                       {{FindingCode::kTooFewPoints, kError, kSecond}}},
        FaultyBuilding{"one corner four times",
                       {{200, 200}, {200, 200}, {200, 200}, {200, 200}},
                       kG,
                       kG + 10,
                       {{FindingCode::kTooFewPoints, kError, kSecond}}},
        FaultyBuilding{
            "no corner", {}, kG, kG + 10, {{FindingCode::kTooFewPoints, kError, kSecond}}},
        FaultyBuilding{"a corner given twice in a row",
                       {{200, 200}, {220, 200}, {220, 200}, {220, 220}, {200, 220}},
                       kG,
                       kG + 10,
                       {{FindingCode::kConsecutivePointsSame, kWarning, kSecond}}},
        FaultyBuilding{"the last corner repeats the first",
                       {{200, 200}, {220, 200}, {220, 220}, {200, 220}, {200, 200}},
                       kG,
                       kG + 10,
                       {{FindingCode::kConsecutivePointsSame, kWarning, kSecond}}},
        FaultyBuilding{"bow tie",
                       {{200, 200}, {220, 220}, {220, 200}, {200, 220}},
                       kG,
                       kG + 10,
                       {{FindingCode::kRingSelfIntersection, kError, kSecond}}},
        FaultyBuilding{"a ring that runs back over itself",
                       {{200, 200}, {220, 200}, {220, 220}, {200, 220}, {230, 210}},
                       kG,
                       kG + 10,
                       {{FindingCode::kRingSelfIntersection, kError, kSecond}}},
        FaultyBuilding{"corners on one line",
                       {{200, 200}, {210, 200}, {220, 200}},
                       kG,
                       kG + 10,
                       {{FindingCode::kZeroArea, kError, kSecond}}},
        FaultyBuilding{"bottom NaN",
                       kSquare,
                       kNaN,
                       kG + 10,
                       {{FindingCode::kBuildingNotFinite, kError, kSecond}}},
        FaultyBuilding{"corner infinite",
                       {{200, 200}, {kInf, 200}, {220, 220}},
                       kG,
                       kG + 10,
                       {{FindingCode::kBuildingNotFinite, kError, kSecond}}},
        FaultyBuilding{"flat roof at the bottom",
                       kSquare,
                       kG,
                       kG,
                       {{FindingCode::kRoofNotAboveBottom, kError, kSecond}}},
        FaultyBuilding{"401 m tall",
                       kSquare,
                       kG,
                       kG + 401,
                       {{FindingCode::kImplausibleHeight, kWarning, kSecond}}},
        FaultyBuilding{"399 m tall", kSquare, kG, kG + 399, {}},
        FaultyBuilding{"1.5 m past the eastern edge",
                       {{390, 10}, {401.5f, 10}, {401.5f, 20}, {390, 20}},
                       kG,
                       kG + 10,
                       {{FindingCode::kOutsideBlock, kError, kSecond}}},
        FaultyBuilding{"0.5 m past the southern edge",
                       {{10, -0.5f}, {20, -0.5f}, {20, 10}, {10, 10}},
                       kG,
                       kG + 10,
                       {}},
        FaultyBuilding{"2.5 m above the ground",
                       kSquare,
                       kG + 2.5f,
                       kG + 12,
                       {{FindingCode::kFloating, kError, kSecond}}},
        FaultyBuilding{"1.5 m above the ground", kSquare, kG + 1.5f, kG + 12, {}},
        FaultyBuilding{"2.5 m below the ground",
                       kSquare,
                       kG - 2.5f,
                       kG + 12,
                       {{FindingCode::kBuried, kWarning, kSecond}}}));

class GeosFaults : public test::CheckSheetFixture {};

// GEOS failing on a footprint (an exception inside it, here its interruption)
// says nothing of the footprint crossing itself: the check reports GEOS's reason.
TEST_F(GeosFaults, FootprintGeosFailsOnIsReportedWithGeossReason) {
    OpenBlock();
    FlatGround();
    SoundSquare();
    AddBuilding({{200, 200}, {220, 220}, {220, 200}, {200, 220}});
    GEOSInterruptCallback* const before = GEOS_interruptRegisterCallback(GEOS_interruptRequest);
    const SheetCheck check = Check();
    GEOS_interruptRegisterCallback(before);
    GEOS_interruptCancel();
    ASSERT_EQ(check.blocks.size(), 1u);
    ASSERT_EQ(check.blocks[0].findings.size(), 1u);
    const Finding& finding = check.blocks[0].findings[0];
    EXPECT_EQ(finding.code, FindingCode::kFootprintNotJudged);
    EXPECT_EQ(finding.severity, kError);
    EXPECT_EQ(finding.building, kSecond);
    EXPECT_EQ(finding.english,
              "GEOS could not check the footprint (InterruptedException: Interrupted!)");
    EXPECT_EQ(Found(), (std::vector<Seen>{{FindingCode::kRingSelfIntersection, kError, kSecond}}));
}

class BuildingPlaces : public test::CheckSheetFixture {};

// Ground rising 0.1 m per metre eastward: under a footprint's area centroid it
// is 0.1 x its easting, which a corner mean or a nearest grid point would miss.
TEST_F(BuildingPlaces, StandOnTheGroundUnderTheirAreaCentroidBetweenGridPoints) {
    OpenBlock();
    std::vector<float> slope;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
            slope.push_back(static_cast<float>(column) * 10.0f);
        }
    }
    sheet.Dem(5, 4, 100.0f, 100.0f, slope);
    // An L of two 800 m2 rectangles whose area centroid lies at x = 135 (the
    // corners' mean at 140): ground 13.5 m.
    const std::vector<std::pair<float, float>> l{{120, 120}, {160, 120}, {160, 140},
                                                 {140, 140}, {140, 180}, {120, 180}};
    AddBuilding(l, 13.5f + 1.9f, 30);
    AddBuilding(l, 13.5f + 2.1f, 30);
    EXPECT_THAT(Found(), ElementsAre(FieldsAre(FindingCode::kFloating, kError, Optional(1u))));
}

TEST_F(BuildingPlaces, FindingsTellWhereInPlaneCoordinatesAndCarryTheFootprint) {
    OpenBlock(4, 1600, 1200);
    AddBuilding({{1600, 1200}, {1620, 1220}, {1620, 1200}, {1600, 1220}});
    const SheetCheck check = Check();
    ASSERT_EQ(check.blocks.size(), 1u);
    ASSERT_EQ(check.blocks[0].findings.size(), 1u);
    const Finding& crossing = check.blocks[0].findings[0];
    // The bow tie crosses itself at its middle.
    EXPECT_DOUBLE_EQ(crossing.x, kX0 + 1610.0);
    EXPECT_DOUBLE_EQ(crossing.y, kY0 + 1210.0);
    ASSERT_EQ(crossing.footprint.size(), 4u);
    EXPECT_DOUBLE_EQ(crossing.footprint[1].x, kX0 + 1620.0);
    EXPECT_FALSE(crossing.english.empty());
    EXPECT_FALSE(crossing.japanese.empty());
}

TEST_F(BuildingPlaces, AFootprintWithoutAreaIsShownAtItsCornersMean) {
    OpenBlock();
    AddBuilding({{100, 100}, {130, 100}, {110, 100}});
    const SheetCheck check = Check();
    ASSERT_EQ(check.blocks[0].findings.size(), 1u);
    EXPECT_EQ(check.blocks[0].findings[0].code, FindingCode::kZeroArea);
    EXPECT_DOUBLE_EQ(check.blocks[0].findings[0].x, kX0 + 340.0 / 3);
    EXPECT_DOUBLE_EQ(check.blocks[0].findings[0].y, kY0 + 100.0);
}

class TerrainFaults : public test::CheckSheetFixture {
protected:
    TerrainFaults() { OpenBlock(); }

    std::vector<float> Flat(std::size_t points) { return std::vector<float>(points, kGround); }
};

TEST_F(TerrainFaults, GridsThatSpanOrCoverTooLittleAreErrors) {
    sheet.Dem(1, 4, 100.0f, 100.0f, Flat(4));
    EXPECT_THAT(Found(), ElementsAre(FieldsAre(FindingCode::kGridTooSmall, kError, std::nullopt)));

    sheet = test::StandardSheet(kX0, kY0);
    OpenBlock();
    sheet.Dem(5, 4, 50.0f, 100.0f, Flat(20));  // 200 m of 400
    EXPECT_THAT(Found(), ElementsAre(FieldsAre(FindingCode::kGridNotCovering, kError, _)));
}

TEST_F(TerrainFaults, MeasuresKeepTheirPointUnderACommaLocale) {
    sheet.Dem(5, 4, 50.5f, 100.0f, Flat(20));
    const test::CommaLocale comma;
    if (!comma.Active()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    const SheetCheck check = Check();
    ASSERT_EQ(check.blocks[0].findings.size(), 1u);
    EXPECT_THAT(check.blocks[0].findings[0].english, HasSubstr("202.0 m x 300.0 m"));
}

TEST_F(TerrainFaults, ExtentWithinOneSpacingOfTheBlockCovers) {
    sheet.Dem(5, 4, 105.0f, 95.0f, Flat(20));  // 420 m and 285 m
    EXPECT_THAT(Found(), IsEmpty());
}

TEST_F(TerrainFaults, HeightsThatAreNoNumbersAreOneError) {
    std::vector<float> heights = Flat(20);
    heights[7] = kNaN;
    heights[8] = kInf;
    sheet.Dem(5, 4, 100.0f, 100.0f, heights);
    const SheetCheck check = Check();
    ASSERT_EQ(check.blocks[0].findings.size(), 1u);
    const Finding& finding = check.blocks[0].findings[0];
    EXPECT_EQ(finding.code, FindingCode::kGridNotFinite);
    // Height 7 is row 1, column 2.
    EXPECT_DOUBLE_EQ(finding.x, kX0 + 200.0);
    EXPECT_DOUBLE_EQ(finding.y, kY0 + 100.0);
}

// Spikes against the median of the neighbours: at a corner (3 neighbours), on
// an edge (5) and inside (8), just over and just under the limit. The points
// about a spike have it among their neighbours, but not as their median.
TEST_F(TerrainFaults, SpikesStandMoreThan50MetresFromTheirNeighboursMedian) {
    std::vector<float> heights = Flat(20);
    heights[0] = kGround + 50.5f;   // corner
    heights[2] = kGround - 51.0f;   // southern edge
    heights[12] = kGround + 49.5f;  // inside, under the limit
    heights[6] = kGround + 60.0f;   // inside
    sheet.Dem(5, 4, 100.0f, 100.0f, heights);
    std::vector<std::pair<double, double>> places;
    const SheetCheck check = Check();
    for (const Finding& finding : check.blocks[0].findings) {
        EXPECT_EQ(finding.code, FindingCode::kSpike);
        EXPECT_EQ(finding.severity, kWarning);
        places.emplace_back(finding.x - kX0, finding.y - kY0);
    }
    EXPECT_THAT(places,
                ElementsAre(std::pair{0.0, 0.0}, std::pair{200.0, 0.0}, std::pair{100.0, 100.0}));
}

class TextureFaults : public test::CheckSheetFixture {
protected:
    TextureFaults() { OpenBlock(); }

    static std::vector<std::byte> Sgi(int width, int height) {
        return test::SgiFile(true, width, height, 3).With([](int x, int y, int c) {
            return static_cast<std::uint8_t>(x + y + c);
        });
    }
};

TEST_F(TextureFaults, SidesOfPowersOfTwoUpTo16384AreSound) {
    sheet.Ortho(Sgi(16384, 4));
    EXPECT_THAT(Found(), IsEmpty());
}

TEST_F(TextureFaults, OtherSidesAreWarnings) {
    sheet.Ortho(Sgi(100, 64));
    EXPECT_THAT(Found(),
                ElementsAre(FieldsAre(FindingCode::kTextureNotPowerOfTwo, kWarning, std::nullopt)));
}

TEST_F(TextureFaults, SidesBeyond16384OrOfNoPixelsAreErrors) {
    sheet.Ortho(Sgi(16385, 1));
    EXPECT_THAT(Found(), ElementsAre(FieldsAre(FindingCode::kTextureSize, kError, std::nullopt)));

    sheet = test::StandardSheet(kX0, kY0);
    OpenBlock();
    std::vector<std::byte> empty = Sgi(4, 4);
    empty[6] = empty[7] = std::byte{0};  // width 0
    sheet.Ortho(empty);
    EXPECT_THAT(Found(), ElementsAre(FieldsAre(FindingCode::kTextureSize, kError, std::nullopt)));
}

// The English text names the side as the model does when it leaves the
// texture out; the program's Japanese text keeps the plain size.
TEST_F(TextureFaults, ASideOfNoPixelsIsNamedInEnglishAndSizedInJapanese) {
    std::vector<std::byte> empty = Sgi(4, 4);
    empty[6] = empty[7] = std::byte{0};  // width 0
    sheet.Ortho(empty);
    const SheetCheck check = Check();
    ASSERT_EQ(check.blocks[0].findings.size(), 1u);
    const Finding& finding = check.blocks[0].findings[0];
    EXPECT_EQ(finding.english, "the texture has no pixels or is too large (width 0)");
    EXPECT_THAT(finding.japanese, EndsWith(" (0 x 4)"));
}

TEST_F(TextureFaults, ImagesThatDoNotDecodeAreErrors) {
    std::vector<std::byte> cut = Sgi(64, 64);
    cut.resize(cut.size() - 10);  // the last rows are missing
    sheet.Ortho(cut);
    sheet.SubSheetArea(1, kX0 + 400, kY0);
    sheet.Ortho(std::vector<std::byte>(600, std::byte{0x42}));  // no SGI header at all
    const SheetCheck check = Check();
    ASSERT_EQ(check.blocks.size(), 2u);
    for (const BlockCheck& block : check.blocks) {
        ASSERT_EQ(block.findings.size(), 1u);
        EXPECT_EQ(block.findings[0].code, FindingCode::kTextureNotDecodable);
    }
}

}  // namespace
}  // namespace vesk
