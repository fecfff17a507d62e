#include "tiles/TilesetFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "TempDir.h"
#include "tiles/TilesetMerge.h"
#include "tiles/TilesetTree.h"

namespace vesk {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const HeightDatum kEgm96{"EGM96 (egm96_15.gtx)"};

BlockTile Tile(const std::string& name, double west, double south, double low, double high) {
    BlockTile tile;
    tile.name = name;
    tile.number = 1;
    tile.placement.transform[15] = 1.0;
    tile.placement.region = {west, south, west + 6.0e-5, south + 4.7e-5, low, high};
    return tile;
}

SheetTileset Sheet(std::vector<BlockTile> blocks, int zone = 9, double x = -8000.0,
                   double y = -36000.0, HeightDatum datum = kEgm96) {
    SheetTileset sheet;
    sheet.file = "s.tqb";
    sheet.zone = zone;
    sheet.origin = {x, y};
    sheet.datum = std::move(datum);
    sheet.blocks = std::move(blocks);
    return sheet;
}

// The merge rebuilds the tree from the numbers in the sheets' files, so they
// must read back as the very doubles written, whatever the locale.
TEST(TilesetFiles, SheetSummaryReadsBackExactlyUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    test::TempDir dir;
    const auto path = dir / "tileset.json";
    const WriteFailureText fault = WriteSheetTileset(
        path, Sheet({Tile("A", 2.4390093630762351, 0.62265462615601943, 7.25, 60.5),
                     Tile("B", 2.4390864983815947, 0.6228434640289561, -3.5, 99.1)},
                    9, -8000.5, -36000.25));
    std::string error;
    const auto summary = ReadSheetSummary(path, error);
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_EQ(fault, "");
    ASSERT_TRUE(summary) << error;
    EXPECT_EQ(summary->region.west, 2.4390093630762351);
    EXPECT_EQ(summary->region.south, 0.62265462615601943);
    EXPECT_EQ(summary->region.east, 2.4390864983815947 + 6.0e-5);
    EXPECT_EQ(summary->region.north, 0.6228434640289561 + 4.7e-5);
    EXPECT_EQ(summary->region.minHeight, -3.5);
    EXPECT_EQ(summary->region.maxHeight, 99.1);
    EXPECT_EQ(summary->zone, 9);
    EXPECT_EQ(summary->origin.easting, -8000.5);
    EXPECT_EQ(summary->origin.northing, -36000.25);
    EXPECT_EQ(summary->datum, kEgm96);
    EXPECT_THAT(ReadText(path), Not(HasSubstr("2,43")));
}

TEST(TilesetFiles, MergeTakesEverySheetInFolderOrderAndLeavesOutWhatItCannotRead) {
    test::TempDir dir;
    for (const char* folder : {"b sheet#1", "a", "c-no-tileset", "d-broken", "e-sea-level"}) {
        std::filesystem::create_directories(dir / "sheets" / folder);
    }
    ASSERT_EQ(WriteSheetTileset(dir / "sheets" / "b sheet#1" / "tileset.json",
                                Sheet({Tile("B", 2.44, 0.63, 0.0, 10.0)}, 9, -6000.0)),
              "");
    ASSERT_EQ(WriteSheetTileset(dir / "sheets" / "a" / "tileset.json",
                                Sheet({Tile("A", 2.43, 0.62, 5.0, 20.0)})),
              "");
    ASSERT_EQ(WriteSheetTileset(
                  dir / "sheets" / "e-sea-level" / "tileset.json",
                  Sheet({Tile("E", 2.45, 0.62, 5.0, 20.0)}, 9, -4000.0, -36000.0, HeightDatum{})),
              "");
    std::ofstream(dir / "sheets" / "d-broken" / "tileset.json") << "{\"root\": {}}";
    // A sheet's place so far away that no cell of the tree could be numbered for it.
    std::filesystem::create_directories(dir / "sheets" / "f-far");
    ASSERT_EQ(WriteSheetTileset(dir / "sheets" / "f-far" / "tileset.json",
                                Sheet({Tile("F", 2.45, 0.62, 5.0, 20.0)}, 9, 1e300)),
              "");

    const MergeOutcome merged = MergeTilesets(dir.Path());
    EXPECT_TRUE(merged.written);
    EXPECT_EQ(merged.sheets, 2u);
    ASSERT_EQ(merged.problems.size(), 3u);
    EXPECT_THAT(merged.problems[0], HasSubstr("d-broken"));
    EXPECT_THAT(merged.problems[1], HasSubstr("e-sea-level"));
    EXPECT_THAT(merged.problems[2], HasSubstr("f-far"));
    // Both sheets lie in one cell of 8 x 8 sheets: its tileset lists them.
    const std::string cell = ReadText(dir / "tree" / "z9_l1_x-1_y-3.json");
    const auto a = cell.find("\"../sheets/a/tileset.json\"");
    const auto b = cell.find("\"../sheets/b%20sheet%231/tileset.json\"");
    EXPECT_NE(a, std::string::npos);
    EXPECT_NE(b, std::string::npos);
    EXPECT_LT(a, b);
    EXPECT_THAT(ReadText(dir / "tileset.json"), HasSubstr("\"geoid\": \"EGM96 (egm96_15.gtx)\""));
}

// A collection of 20 x 12 sheets in zone 9 and one in zone 6: no tileset
// lists more than 64 children, every one it lists is there, and the zones
// do not share cells.
TEST(TilesetFiles, TreeKeepsEveryTilesetSmallAndEveryReferenceResolves) {
    test::TempDir dir;
    std::vector<TreeSheet> sheets;
    for (int column = 0; column < 20; ++column) {
        for (int row = 0; row < 12; ++row) {
            const double west = 2.43 + column * 4e-4;
            const double south = 0.62 + row * 2.4e-4;
            sheets.push_back({"z9-" + std::to_string(column) + "-" + std::to_string(row),
                              {{west, south, west + 4e-4, south + 2.4e-4, 0.0, 50.0},
                               9,
                               {column * 2000.0, row * 1500.0},
                               kEgm96}});
        }
    }
    sheets.push_back({"z6", {{2.36, 0.6, 2.3604, 0.60024, 0.0, 50.0}, 6, {0.0, 0.0}, kEgm96}});
    ASSERT_EQ(WriteTilesetTree(dir.Path(), sheets, kEgm96), "");

    std::set<std::string> reached;
    std::vector<std::filesystem::path> pending{dir / "tileset.json"};
    while (!pending.empty()) {
        const std::filesystem::path file = pending.back();
        pending.pop_back();
        std::string error;
        const auto json = ReadTilesetJson(file, error);
        ASSERT_TRUE(json) << file << " " << error;
        const auto& children = (*json)["root"]["children"];
        EXPECT_LE(children.size(), 64u) << file;
        for (const auto& child : children) {
            const std::string uri = child["content"]["uri"].get<std::string>();
            const auto target = file.parent_path() / uri;
            if (uri.find("sheets/") != std::string::npos) {
                reached.insert(target.parent_path().filename().string());
            } else {
                ASSERT_TRUE(std::filesystem::exists(target)) << uri;
                pending.push_back(target);
            }
        }
    }
    EXPECT_EQ(reached.size(), sheets.size());
    const std::string root = ReadText(dir / "tileset.json");
    EXPECT_THAT(root, HasSubstr("\"tree/z9_l3_x0_y0.json\""));
    EXPECT_THAT(root, HasSubstr("\"tree/z6_l3_x0_y0.json\""));
}

}  // namespace
}  // namespace vesk
