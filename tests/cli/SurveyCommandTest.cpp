#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <locale>
#include <sstream>

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

// Runs a command through the shell and gives what it printed; the tools it
// names are installed by scripts/deps.sh, so a failure to run one fails the test.
std::string RunTool(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    EXPECT_NE(pipe, nullptr) << command;
    if (pipe != nullptr) {
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        EXPECT_EQ(::pclose(pipe), 0) << command << "\n" << output;
    }
    return output;
}

std::vector<std::array<double, 2>> FirstPolygonOf(const std::string& ogrinfo) {
    std::vector<std::array<double, 2>> points;
    const std::size_t start = ogrinfo.find("POLYGON ((");
    if (start == std::string::npos) {
        return points;
    }
    std::istringstream in(ogrinfo.substr(start + 10, ogrinfo.find("))", start) - start - 10));
    in.imbue(std::locale::classic());
    std::array<double, 2> point{};
    char comma = 0;
    while (in >> point[0] >> point[1]) {
        points.push_back(point);
        in >> comma;
    }
    return points;
}

// The zone 9 sheet's south-west corner is a point PROJ's cs2cs puts at 35.9543065 N,
// 139.4453363 E; its north-east corner is asked of cs2cs (northing first) here.
// GDAL reads the file and counts the zone 0 sheet out.
TEST_F(SurveyCommand, GeoJsonIsReadByOgrinfoInLongitudeAndLatitude) {
    std::filesystem::create_directory(dir / "gis");
    MakeSheet("gis/a.tqb", "9", "-35000,-5000", "府中");
    MakeSheet("gis/b.tqb", "6", "1000.5,-2000", "梅田");
    MakeSheet("gis/c.tqb", "0", "0,0", "不明");
    const auto result = RunCli({"survey", PathOf("gis"), "--geojson"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto file = dir / "survey.geojson";
    std::ofstream(file) << result.out;

    const std::string ogrinfo = RunTool("ogrinfo -ro -al " + file.string());
    EXPECT_NE(ogrinfo.find("Feature Count: 2\n"), std::string::npos) << ogrinfo;
    EXPECT_NE(ogrinfo.find("ID[\"EPSG\",4326]"), std::string::npos) << ogrinfo;
    const auto polygon = FirstPolygonOf(ogrinfo);
    ASSERT_EQ(polygon.size(), 33u) << ogrinfo;
    EXPECT_NEAR(polygon.front()[0], 139.4453363, 1e-7);
    EXPECT_NEAR(polygon.front()[1], 35.9543065, 1e-7);
    const std::string northEast = RunTool("echo -3500 -33000 | cs2cs -f %.10f EPSG:2451 EPSG:4326");
    std::istringstream in(northEast);
    in.imbue(std::locale::classic());
    double latitude = 0.0;
    double longitude = 0.0;
    ASSERT_TRUE(in >> latitude >> longitude) << northEast;
    EXPECT_NEAR(polygon[16][0], longitude, 1e-7);
    EXPECT_NEAR(polygon[16][1], latitude, 1e-7);
}

// Python's json module is strict: raw control characters in strings and bytes
// that are not UTF-8 fail the load. The checker prints code points, so what
// the names became is compared without the shell or the terminal in between.
TEST_F(SurveyCommand, GeoJsonIsStrictJsonWithCounterClockwiseRingsAndUngeoreferencedEntries) {
    std::filesystem::create_directory(dir / "odd");
    MakeSheet("odd/p\"\\\x7f\xff.tqb", "9", "-850,120", "q\"b\\s\x01\tz");
    MakeSheet("odd/z20.tqb", "20", "0,0", "二十");
    const auto result = RunCli({"survey", PathOf("odd"), "--geojson"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto file = dir / "survey.geojson";
    std::ofstream(file) << result.out;
    const auto checker = dir / "check.py";
    std::ofstream(checker) << R"(import json, os, sys
doc = json.load(open(sys.argv[1], encoding='utf-8'))
codes = lambda text: ' '.join('%x' % ord(c) for c in text)
for feature in doc['features']:
    p, ring = feature['properties'], feature['geometry']['coordinates'][0]
    twiceArea = sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(ring, ring[1:]))
    print(p['zone'], p['epsg'], p['x'], p['y'], len(ring), ring[0] == ring[-1], twiceArea > 0)
    print(codes(p['name']), '/', codes(os.path.basename(p['path'])))
for entry in doc['ungeoreferenced']:
    print(entry['zone'], entry['name'], entry['reason'])
)";

    EXPECT_EQ(RunTool("python3 " + checker.string() + " " + file.string()),
              "9 2451 -850.0 120.0 33 True True\n"
              "71 22 62 5c 73 1 9 7a / 70 22 5c 7f fffd 2e 74 71 62\n"
              "20 二十 zone 20 has no georeference (the plane rectangular zones are 1 to 19)\n");
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
    EXPECT_EQ(geojson.out,
              "{\"type\": \"FeatureCollection\",\n \"features\": [],\n \"ungeoreferenced\": []}\n");
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

}  // namespace
}  // namespace vesk
