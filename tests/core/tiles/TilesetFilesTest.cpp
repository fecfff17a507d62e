#include "tiles/TilesetFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <sstream>
#include <string>

#include "TempDir.h"
#include "tiles/TilesetMerge.h"

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

BlockTile Tile(const std::string& name, double west, double south, double low, double high) {
    BlockTile tile;
    tile.name = name;
    tile.placement.transform[15] = 1.0;
    tile.placement.region = {west, south, west + 6.0e-5, south + 4.7e-5, low, high};
    return tile;
}

// The merge rebuilds the root from the numbers in the sheets' files, so they
// must read back as the very doubles written, whatever the locale.
TEST(TilesetFiles, RegionsReadBackExactlyUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    test::TempDir dir;
    const auto path = dir / "tileset.json";
    const std::vector<BlockTile> blocks{
        Tile("A", 2.4390093630762351, 0.62265462615601943, 7.25, 60.5),
        Tile("B", 2.4390864983815947, 0.6228434640289561, -3.5, 99.1)};
    const FileFault fault = WriteSheetTileset(path, blocks);
    std::string error;
    const auto region = ReadTilesetRegion(path, error);
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_EQ(fault, "");
    ASSERT_TRUE(region) << error;
    EXPECT_EQ(region->west, 2.4390093630762351);
    EXPECT_EQ(region->south, 0.62265462615601943);
    EXPECT_EQ(region->east, 2.4390864983815947 + 6.0e-5);
    EXPECT_EQ(region->north, 0.6228434640289561 + 4.7e-5);
    EXPECT_EQ(region->minHeight, -3.5);
    EXPECT_EQ(region->maxHeight, 99.1);
    EXPECT_THAT(ReadText(path), Not(HasSubstr("2,43")));
}

TEST(TilesetFiles, MergeRefersToEverySheetInFolderOrderAndSkipsWhatItCannotRead) {
    test::TempDir dir;
    for (const char* folder : {"b sheet#1", "a", "c-no-tileset", "d-broken"}) {
        std::filesystem::create_directories(dir / "sheets" / folder);
    }
    ASSERT_EQ(WriteSheetTileset(dir / "sheets" / "b sheet#1" / "tileset.json",
                                {Tile("B", 2.44, 0.63, 0.0, 10.0)}),
              "");
    ASSERT_EQ(WriteSheetTileset(dir / "sheets" / "a" / "tileset.json",
                                {Tile("A", 2.43, 0.62, 5.0, 20.0)}),
              "");
    std::ofstream(dir / "sheets" / "d-broken" / "tileset.json") << "{\"root\": {}}";

    const MergeOutcome merged = MergeTilesets(dir.Path());
    EXPECT_TRUE(merged.written);
    EXPECT_EQ(merged.sheets, 2u);
    ASSERT_EQ(merged.problems.size(), 1u);
    EXPECT_THAT(merged.problems[0], HasSubstr("d-broken"));
    const std::string root = ReadText(dir / "tileset.json");
    const auto a = root.find("\"sheets/a/tileset.json\"");
    const auto b = root.find("\"sheets/b%20sheet%231/tileset.json\"");
    EXPECT_NE(a, std::string::npos);
    EXPECT_NE(b, std::string::npos);
    EXPECT_LT(a, b);
    std::string error;
    const auto region = ReadTilesetRegion(dir / "tileset.json", error);
    ASSERT_TRUE(region) << error;
    EXPECT_EQ(region->west, 2.43);
    EXPECT_EQ(region->east, 2.44 + 6.0e-5);
    EXPECT_EQ(region->minHeight, 0.0);
    EXPECT_EQ(region->maxHeight, 20.0);
}

}  // namespace
}  // namespace vesk
