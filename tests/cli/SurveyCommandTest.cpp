#include <gtest/gtest.h>

#include "CliRunner.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::RunCli;

// A folder of small `vesk-cli sample` sheets of zones 9, 6 and 7, named so
// that their byte order differs from the order in which they were made.
class SurveyCommand : public ::testing::Test {
protected:
    void SetUp() override {
        MakeSheet("c.tqb", "9", "-850,120", "千代田");
        MakeSheet("B.TQB", "6", "1000.5,-2000", "梅田");
        MakeSheet("a.tqb", "7", "50000,-20000", "東野");
    }

    void MakeSheet(const std::string& file, const std::string& zone, const std::string& origin,
                   const std::string& name) {
        const auto result = RunCli({"sample", (dir / file).string(), "--zone", zone, "--origin",
                                    origin, "--name", name, "--buildings", "1", "--dem", "2x2",
                                    "--texture", "4", "--image", "20x15"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }

    std::string Folder() const { return dir.Path().string(); }
    std::string PathOf(const std::string& file) const { return (dir / file).string(); }

    test::TempDir dir;
};

TEST_F(SurveyCommand, JsonListsTheEntriesInNameOrderWithTheZonesPresent) {
    const auto result = RunCli({"survey", Folder(), "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "{\"folder\": \"" + Folder() +
                  "\",\n"
                  " \"messages\": [],\n"
                  " \"entries\": [\n"
                  "  {\"scale\": 2500, \"zone\": 6, \"x\": 1000.5, \"y\": -2000.0, \"width\": "
                  "2000.0, \"height\": 1500.0, \"name\": \"梅田\", \"path\": \"" +
                  PathOf("B.TQB") +
                  "\"},\n"
                  "  {\"scale\": 2500, \"zone\": 7, \"x\": 50000.0, \"y\": -20000.0, \"width\": "
                  "2000.0, \"height\": 1500.0, \"name\": \"東野\", \"path\": \"" +
                  PathOf("a.tqb") +
                  "\"},\n"
                  "  {\"scale\": 2500, \"zone\": 9, \"x\": -850.0, \"y\": 120.0, \"width\": "
                  "2000.0, \"height\": 1500.0, \"name\": \"千代田\", \"path\": \"" +
                  PathOf("c.tqb") +
                  "\"}],\n"
                  " \"zones\": [6, 7, 9]}\n");
    EXPECT_TRUE(result.err.empty());
}

TEST_F(SurveyCommand, PlainOutputHasOneLinePerEntryAndTheZones) {
    const auto result = RunCli({"survey", Folder()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Folder:   " + Folder() +
                              "\n"
                              "Sheets:   3\n"
                              "  zone  6  origin 1000.5,-2000.0  \"梅田\"  " +
                              PathOf("B.TQB") +
                              "\n"
                              "  zone  7  origin 50000.0,-20000.0  \"東野\"  " +
                              PathOf("a.tqb") +
                              "\n"
                              "  zone  9  origin -850.0,120.0  \"千代田\"  " +
                              PathOf("c.tqb") +
                              "\n"
                              "Zones:    6 7 9\n");
}

TEST_F(SurveyCommand, GeoJsonHasOneClosedRectanglePerEntryInPlaneCoordinates) {
    const auto result = RunCli({"survey", Folder(), "--geojson"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("{\"type\": \"FeatureCollection\",\n \"features\": [\n"))
        << result.out;
    EXPECT_NE(result.out.find(
                  "  {\"type\": \"Feature\", \"properties\": {\"zone\": 9, \"name\": \"千代田\", "
                  "\"path\": \"" +
                  PathOf("c.tqb") +
                  "\"}, \"geometry\": {\"type\": \"Polygon\", \"coordinates\": "
                  "[[[-850.0, 120.0], [1150.0, 120.0], [1150.0, 1620.0], [-850.0, 1620.0], "
                  "[-850.0, 120.0]]]}}]}\n"),
              std::string::npos)
        << result.out;
    std::size_t features = 0;
    for (std::size_t at = 0; (at = result.out.find("\"Feature\"", at)) != std::string::npos; ++at) {
        ++features;
    }
    EXPECT_EQ(features, 3u);
}

TEST_F(SurveyCommand, FolderWithoutSheetFilesExitsOneWithTheMessage) {
    const std::string empty = (dir / "empty").string();
    std::filesystem::create_directory(empty);
    const auto json = RunCli({"survey", empty, "--json"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(json.out, "{\"folder\": \"" + empty +
                            "\",\n \"messages\": [\"*.tqbﾌｧｲﾙが見つかりません\"],\n"
                            " \"entries\": [],\n \"zones\": []}\n");

    const auto geojson = RunCli({"survey", (dir / "missing").string(), "--geojson"});
    EXPECT_EQ(geojson.exitCode, 1);
    EXPECT_EQ(geojson.out, "{\"type\": \"FeatureCollection\",\n \"features\": []}\n");
    EXPECT_NE(geojson.err.find("*.tqbﾌｧｲﾙが見つかりません"), std::string::npos);
}

TEST_F(SurveyCommand, MatchWithoutAreaStillExitsZero) {
    const std::string folder = (dir / "odd").string();
    std::filesystem::create_directories(dir / "odd" / "folder.tqb");
    const auto result = RunCli({"survey", folder, "--json"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("\"messages\": [],\n \"entries\": [],\n \"zones\": []"),
              std::string::npos)
        << result.out;
}

TEST_F(SurveyCommand, BadUsageExitsTwo) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"survey"},
                                               {"survey", "--json"},
                                               {"survey", Folder(), "--json", "--geojson"},
                                               {"survey", Folder(), "--json", "--json"},
                                               {"survey", Folder(), Folder()},
                                               {"survey", Folder(), "--zone", "9"}}) {
        const auto result = RunCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.size();
        EXPECT_NE(result.err.find("usage: vesk-cli survey FOLDER"), std::string::npos);
        EXPECT_TRUE(result.out.empty());
    }
}

}  // namespace
}  // namespace vesk
