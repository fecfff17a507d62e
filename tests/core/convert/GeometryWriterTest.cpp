// The geometry file as a whole and its buildings section, byte for byte.
#include "convert/GeometryWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "CommaLocale.h"
#include "ConvertTestSupport.h"
#include "RecordingUi.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "convert/ConversionMessages.h"

namespace vesk {
namespace {

namespace msg = conversion_messages;
using test::CrLfLines;
using test::ReadFileBytes;
using Footprint = std::vector<std::pair<float, float>>;

constexpr std::string_view kName = "09M0008P000100040003";
const std::string kSaved =
    "建物Orvikﾌｧｲﾙを変換して\nLSS-Gﾌｧｲﾙに保存しました。\nﾌｧｲﾙ名「09M0008P000100040003.geo」";

const std::string kTriangleExample = CrLfLines({
    "BUILD_ROOF000000=GROUP();",
    "V000000=COORD(10.000000,20.000000,12.500000);",
    "V000001=COORD(30.000000,20.000000,12.500000);",
    "V000002=COORD(30.000000,40.000000,12.500000);",
    "P000000=VERTEX(V000000,,,);",
    "P000001=VERTEX(V000001,,,);",
    "P000002=VERTEX(V000002,,,);",
    "F000000=FACE(P000000,P000001,P000002);",
    "N000000=NORMAL(0.0,0.0,1.0);",
    "FACE_NORMAL(F000000,N000000);",
    "GROUP_FACE(BUILD_ROOF000000,F000000);",
    "BUILD_WALL000000=GROUP();",
    "VBOTM000000=COORD(10.000000,20.000000,0.000000);",
    "VROOF000000=COORD(10.000000,20.000000,12.500000);",
    "VBOTM000001=COORD(30.000000,20.000000,0.000000);",
    "VROOF000001=COORD(30.000000,20.000000,12.500000);",
    "VBOTM000002=COORD(30.000000,40.000000,0.000000);",
    "VROOF000002=COORD(30.000000,40.000000,12.500000);",
    "PBOTM000000=VERTEX(VBOTM000000,,,);",
    "PROOF000000=VERTEX(VROOF000000,,,);",
    "PBOTM000001=VERTEX(VBOTM000001,,,);",
    "PROOF000001=VERTEX(VROOF000001,,,);",
    "PBOTM000002=VERTEX(VBOTM000002,,,);",
    "PROOF000002=VERTEX(VROOF000002,,,);",
    "F000000=FACE(PBOTM000000,PBOTM000001,PROOF000001,PROOF000000);",
    "F000001=FACE(PBOTM000001,PBOTM000002,PROOF000002,PROOF000001);",
    "F000002=FACE(PBOTM000002,PBOTM000000,PROOF000000,PROOF000002);",
    "GROUP_FACE(BUILD_WALL000000,F000000,F000001,F000002);",
});

const Footprint kTriangle{{10, 20}, {30, 20}, {30, 40}};

class GeometryFile : public ::testing::Test {
protected:
    void AddBuilding(float bottom, float roof, const Footprint& footprint) {
        record.buildingPositions.push_back(sheet.Offset());
        ++record.buildingCount;
        sheet.Building(bottom, roof, footprint);
    }

    // A recorded position that holds a chunk of another kind.
    void AddForeignPosition() {
        record.buildingPositions.push_back(sheet.Offset());
        ++record.buildingCount;
        sheet.Dem(1, 1, 1, 1, {0});
    }

    void AddDem(std::uint32_t columns, std::uint32_t rows, const std::vector<float>& heights) {
        record.hasDem = 1;
        record.demPosition = sheet.Offset();
        sheet.Dem(columns, rows, 10, 5, heights);
    }

    bool Write(bool buildings, bool terrain, bool texture = false) {
        MemoryByteSource source(sheet.Bytes());
        return WriteGeometryFile(source, path, kName, record, {buildings, terrain, texture, false},
                                 ui);
    }

    test::SheetBuilder sheet;
    SubSheetRecord record;
    test::TempDir dir;
    std::filesystem::path path = dir / "out.geo";
    test::RecordingUi ui;
};

TEST_F(GeometryFile, TriangleExampleIsWrittenByteForByteWithCrLf) {
    record.originX = 100;
    AddBuilding(0.0f, 12.5f, kTriangle);
    EXPECT_TRUE(Write(true, false));
    EXPECT_EQ(ReadFileBytes(path), kTriangleExample);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kSaved);
    EXPECT_EQ(ui.messages[0].caption, "ﾒｯｾｰｼﾞ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
}

TEST_F(GeometryFile, OnlyFootprintsOfFourOrMoreVerticesAreMarkedConcave) {
    AddBuilding(0, 1, kTriangle);
    AddBuilding(0, 1, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    ASSERT_TRUE(Write(true, false));
    const std::string text = ReadFileBytes(path);
    EXPECT_TRUE(text.starts_with("BUILD_ROOF000000=GROUP();\r\n"));
    EXPECT_NE(text.find("GROUP_FACE(BUILD_WALL000000,F000000,F000001,F000002);\r\n"
                        "CONCAVE(ON);\r\nBUILD_ROOF000001=GROUP();\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("GROUP_FACE(BUILD_ROOF000001,F000000);\r\nCONCAVE(OFF);\r\n"
                        "BUILD_WALL000001=GROUP();\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("CONCAVE"), text.find("CONCAVE(ON);"));
    EXPECT_EQ(text.find("CONCAVE", text.find("CONCAVE(OFF);") + 1), std::string::npos);
}

TEST_F(GeometryFile, BuildingWithoutVerticesGetsAnEmptyRoofFaceAndNoWalls) {
    AddBuilding(0, 1, {});
    ASSERT_TRUE(Write(true, false));
    EXPECT_EQ(ReadFileBytes(path), CrLfLines({
                                       "BUILD_ROOF000000=GROUP();",
                                       "F000000=FACE();",
                                       "N000000=NORMAL(0.0,0.0,1.0);",
                                       "FACE_NORMAL(F000000,N000000);",
                                       "GROUP_FACE(BUILD_ROOF000000,F000000);",
                                       "BUILD_WALL000000=GROUP();",
                                       "GROUP_FACE(BUILD_WALL000000);",
                                   }));
}

TEST_F(GeometryFile, PositionOfAnotherChunkIsSkippedSilentlyAndUsesUpItsNumber) {
    AddBuilding(0, 1, kTriangle);
    AddForeignPosition();
    AddBuilding(0, 1, kTriangle);
    EXPECT_TRUE(Write(true, false));
    const std::string text = ReadFileBytes(path);
    EXPECT_NE(text.find("BUILD_ROOF000000"), std::string::npos);
    EXPECT_EQ(text.find("BUILD_ROOF000001"), std::string::npos);
    EXPECT_NE(text.find("BUILD_ROOF000002=GROUP();"), std::string::npos);
    EXPECT_THAT(ui.MessageTexts(), ::testing::ElementsAre(kSaved));
}

// Far more corners than the writer keeps formatted between its passes.
TEST_F(GeometryFile, EveryCornerOfALargeBuildingIsWrittenAsPrintfWritesIt) {
    constexpr int kCorners = 20000;
    Footprint footprint;
    for (int i = 0; i < kCorners; ++i) {
        footprint.emplace_back(1000.125f + static_cast<float>(i),
                               -2000.5f - 0.25f * static_cast<float>(i));
    }
    AddBuilding(-1.5f, 7.75f, footprint);
    ASSERT_TRUE(Write(true, false));
    std::string roof;
    std::string walls;
    char line[160];
    for (int i = 0; i < kCorners; ++i) {
        const double x = footprint[i].first;
        const double y = footprint[i].second;
        std::snprintf(line, sizeof line, "V%06d=COORD(%f,%f,%f);\r\n", i, x, y, 7.75);
        roof += line;
        std::snprintf(line, sizeof line,
                      "VBOTM%06d=COORD(%f,%f,%f);\r\nVROOF%06d=COORD(%f,%f,%f);\r\n", i, x, y, -1.5,
                      i, x, y, 7.75);
        walls += line;
    }
    const std::string text = ReadFileBytes(path);
    EXPECT_NE(text.find("BUILD_ROOF000000=GROUP();\r\n" + roof + "P000000=VERTEX("),
              std::string::npos);
    EXPECT_NE(text.find("BUILD_WALL000000=GROUP();\r\n" + walls + "PBOTM000000=VERTEX("),
              std::string::npos);
    EXPECT_NE(text.find("\r\nF019999=FACE(PBOTM019999,PBOTM000000,PROOF000000,PROOF019999);\r\n"
                        "GROUP_FACE(BUILD_WALL000000,F000000,"),
              std::string::npos);
}

TEST_F(GeometryFile, BuildingsRunningPastTheirBodyOrTheFileAreLeftOutWithOneError) {
    AddBuilding(0, 1, kTriangle);
    // Claims four vertices, holds three: past its body (the next chunk follows).
    record.buildingPositions.push_back(sheet.Offset());
    test::ByteWriter shortBody;
    shortBody.F32(0);
    shortBody.F32(1);
    shortBody.U32(4);
    for (int i = 0; i < 6; ++i) {
        shortBody.F32(static_cast<float>(i));
    }
    sheet.Chunk(0x111001, "STRC", shortBody.Data());
    // Body size shorter than the fixed fields.
    record.buildingPositions.push_back(sheet.Offset());
    sheet.Chunk(0x111001, "STRC", std::vector<std::byte>(8));
    AddBuilding(2, 3, kTriangle);
    // The last one ends before its vertices do: past the file.
    record.buildingPositions.push_back(sheet.Offset());
    test::ByteWriter cut;
    cut.F32(0);
    cut.F32(1);
    cut.U32(1000);
    sheet.ChunkClaiming(0x111001, "STRC", 12 + 8000, cut.Data());
    // And a position beyond the end of the file.
    record.buildingPositions.push_back(sheet.Offset() + 100);
    record.buildingCount = static_cast<int>(record.buildingPositions.size());

    EXPECT_FALSE(Write(true, false));
    const std::string text = ReadFileBytes(path);
    EXPECT_NE(text.find("BUILD_ROOF000000=GROUP();"), std::string::npos);
    EXPECT_NE(text.find("BUILD_ROOF000003=GROUP();"), std::string::npos);
    EXPECT_NE(text.find("VBOTM000000=COORD(10.000000,20.000000,2.000000);"), std::string::npos);
    for (const char* absent :
         {"BUILD_ROOF000001", "BUILD_ROOF000002", "BUILD_ROOF000004", "BUILD_ROOF000005"}) {
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    }
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text,
              "建物Orvikﾌｧｲﾙのﾃﾞｰﾀが壊れているため\n次のﾃﾞｰﾀは変換しませんでした\n建物ﾃﾞｰﾀ 4件");
    EXPECT_EQ(ui.messages[0].caption, "ｴﾗｰ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ui.messages[1].text, kSaved);
}

TEST_F(GeometryFile, BrokenDemBesideGoodBuildingsLeavesOutOnlyTheTerrain) {
    AddBuilding(0.0f, 12.5f, kTriangle);
    record.hasDem = 1;
    record.demPosition = sheet.Offset();
    test::ByteWriter cut;  // a 2 x 2 grid that holds one height
    cut.U32(2);
    cut.U32(2);
    cut.F32(1);
    cut.F32(1);
    cut.F32(5);
    sheet.ChunkClaiming(0x112001, "DEMF", 32, cut.Data());
    EXPECT_FALSE(Write(true, true, true));
    EXPECT_EQ(ReadFileBytes(path), kTriangleExample);
    EXPECT_THAT(ui.MessageTexts(),
                ::testing::ElementsAre("建物Orvikﾌｧｲﾙのﾃﾞｰﾀが壊れているため\n"
                                       "次のﾃﾞｰﾀは変換しませんでした\n地形ﾃﾞｰﾀ(DEM)",
                                       kSaved));
}

TEST_F(GeometryFile, NothingButBrokenDataWritesNoFileKeepsTheOlderOneAndShowsNoCompletion) {
    ASSERT_TRUE(test::SheetBuilder().Raw(std::vector<std::byte>(3, std::byte{'x'})).WriteTo(path));
    record.buildingPositions.push_back(sheet.Offset());
    record.buildingCount = 1;
    test::ByteWriter fourClaimedTwoHeld;
    fourClaimedTwoHeld.F32(0);
    fourClaimedTwoHeld.F32(1);
    fourClaimedTwoHeld.U32(4);
    for (int i = 0; i < 4; ++i) {
        fourClaimedTwoHeld.F32(static_cast<float>(i));
    }
    sheet.Chunk(0x111001, "STRC", fourClaimedTwoHeld.Data());
    AddDem(0, 0xFFFFFFFF, {});
    EXPECT_FALSE(Write(true, true));
    EXPECT_FALSE(Write(false, true));
    EXPECT_EQ(ReadFileBytes(path), "xxx");
    EXPECT_THAT(test::FolderEntries(dir.Path()), ::testing::ElementsAre("out.geo"));
    const std::string listing =
        "建物Orvikﾌｧｲﾙのﾃﾞｰﾀが壊れているため\n次のﾃﾞｰﾀは変換しませんでした\n";
    EXPECT_THAT(ui.MessageTexts(), ::testing::ElementsAre(listing + "建物ﾃﾞｰﾀ 1件\n地形ﾃﾞｰﾀ(DEM)",
                                                          listing + "地形ﾃﾞｰﾀ(DEM)"));
}

TEST_F(GeometryFile, NoBuildingsGiveAnEmptyFileAndTheMessageStillFollows) {
    EXPECT_TRUE(Write(true, false));
    EXPECT_EQ(ReadFileBytes(path), "");
    EXPECT_THAT(ui.MessageTexts(), ::testing::ElementsAre(kSaved));
}

TEST_F(GeometryFile, BuildingsComeBeforeTheTerrainAndOnlyTheTerrainEndsWithoutLineEnd) {
    AddBuilding(0.0f, 12.5f, kTriangle);
    AddDem(1, 1, {7});
    ASSERT_TRUE(Write(true, true));
    EXPECT_EQ(ReadFileBytes(path),
              kTriangleExample + CrLfLines(
                                     {
                                         "DEM=GROUP(&GROUND);",
                                         "V00=COORD(0.000000,0.000000,7.000000);",
                                         "P00=VERTEX(V00,,,);",
                                         "GROUP_FACE(DEM);",
                                     },
                                     false));
}

TEST_F(GeometryFile, NothingFromTheSheetIsWrittenForAnUnchosenSection) {
    AddBuilding(0.0f, 12.5f, kTriangle);
    AddDem(2, 2, {1, 2, 3, 4});
    ASSERT_TRUE(Write(false, true));
    const std::string text = ReadFileBytes(path);
    EXPECT_EQ(text.find("BUILD_"), std::string::npos);
    EXPECT_TRUE(text.starts_with("DEM=GROUP(&GROUND);\r\n"));
    EXPECT_TRUE(text.ends_with("\r\nGROUP_FACE(DEM,F00);"));
}

TEST_F(GeometryFile, WritesTheSameBytesUnderACommaDecimalLocale) {
    test::CommaLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    AddBuilding(0.0f, 12.5f, kTriangle);
    ASSERT_TRUE(Write(true, false));
    EXPECT_EQ(ReadFileBytes(path), kTriangleExample);
}

// The first line names the file as it always has; the second says why, in
// the system's words, with the folder it concerns.
TEST_F(GeometryFile, MissingFolderShowsAnErrorNamingTheFileTheFolderAndWhyAndNoCompletion) {
    AddBuilding(0, 1, kTriangle);
    path = dir / "no-such-folder" / "out.geo";
    EXPECT_FALSE(Write(true, false));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "「" + path.string() + "」ﾌｧｲﾙが作成できません\n「" +
                                       (dir / "no-such-folder").string() +
                                       "」ﾌｫﾙﾀﾞ: No such file or directory");
    EXPECT_EQ(ui.messages[0].caption, "ｴﾗｰ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
}

// Something other than a file at the output path is refused without asking
// the system: the message names the file alone, as it always has.
TEST_F(GeometryFile, FolderAtTheOutputPathIsRefusedWithTheFileLineAlone) {
    AddBuilding(0, 1, kTriangle);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(Write(true, false));
    EXPECT_THAT(ui.MessageTexts(),
                ::testing::ElementsAre("「" + path.string() + "」ﾌｧｲﾙが作成できません"));
}

TEST_F(GeometryFile, FolderWithoutWritePermissionShowsTheCreateError) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    AddBuilding(0, 1, kTriangle);
    const auto locked = dir / "locked";
    std::filesystem::create_directory(locked);
    ::chmod(locked.c_str(), 0500);
    path = locked / "out.geo";
    EXPECT_FALSE(Write(true, false));
    ::chmod(locked.c_str(), 0700);
    EXPECT_THAT(ui.MessageTexts(),
                ::testing::ElementsAre("「" + path.string() + "」ﾌｧｲﾙが作成できません\n「" +
                                       locked.string() + "」ﾌｫﾙﾀﾞ: Permission denied"));
    EXPECT_TRUE(test::FolderEntries(locked).empty());
}

TEST_F(GeometryFile, FileThatCannotBeWrittenWholeLeavesTheOldFileAndNoPartOfTheNew) {
    for (int i = 0; i < 2000; ++i) {
        AddBuilding(0.0f, 12.5f, kTriangle);
    }
    ASSERT_TRUE(test::SheetBuilder().Raw(std::vector<std::byte>(10, std::byte{'x'})).WriteTo(path));
    {
        test::FileSizeLimit diskFull(64 * 1024);
        EXPECT_FALSE(Write(true, false));
    }
    EXPECT_EQ(ReadFileBytes(path), "xxxxxxxxxx");
    EXPECT_THAT(test::FolderEntries(dir.Path()), ::testing::ElementsAre("out.geo"));
    EXPECT_THAT(ui.MessageTexts(),
                ::testing::ElementsAre("「" + path.string() + "」ﾌｧｲﾙに書き込めません"));
}

TEST_F(GeometryFile, ExistingFileIsReplacedByTheCompleteNewOne) {
    ASSERT_TRUE(
        test::SheetBuilder().Raw(std::vector<std::byte>(100000, std::byte{'x'})).WriteTo(path));
    AddBuilding(0.0f, 12.5f, kTriangle);
    ASSERT_TRUE(Write(true, false));
    EXPECT_EQ(ReadFileBytes(path), kTriangleExample);
    EXPECT_THAT(test::FolderEntries(dir.Path()), ::testing::ElementsAre("out.geo"));
}

}  // namespace
}  // namespace vesk
