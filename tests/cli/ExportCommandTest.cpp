// vesk-cli export on sheets made by vesk-cli sample: the files it names, and
// its counts against the chunks found by walking the sheet here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <regex>
#include <set>

#include "CliRunner.h"
#include "SampleChunks.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::RunCli;
using ::testing::HasSubstr;
using ::testing::Not;

class ExportCommand : public ::testing::Test {
protected:
    ExportCommand() {
        EXPECT_EQ(RunCli({"sample", Sheet(), "--buildings", "3", "--dem", "5x4", "--texture", "16",
                          "--image", "100x75"})
                      .exitCode,
                  0);
    }

    std::string Sheet() const { return (dir / "sheet.tqb").string(); }
    std::string Out() const { return (dir / "out").string(); }

    std::set<std::string> Written() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "out")) {
            names.insert(entry.path().extension().string());
        }
        return names;
    }

    test::TempDir dir;
};

// Triangles of each block's model, from its chunks: (nx - 1)(ny - 1) * 2 for
// the grid, and 4n - 4 for a prism on n corners (roof and floor n - 2 each,
// two per wall).
std::vector<std::size_t> TrianglesPerBlock(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> chars((std::istreambuf_iterator<char>(in)), {});
    const auto bytes = std::as_bytes(std::span(chars));
    std::vector<std::size_t> triangles;
    for (const test::RawChunk& chunk : test::ReadRawChunks(bytes).chunks) {
        if (chunk.tag == "AREA" && chunk.identifier == 0x110001) {
            triangles.push_back(0);
        } else if (chunk.tag == "STRC") {
            triangles.back() += 4 * test::ReadBuilding(chunk.body).vertices.size() - 4;
        } else if (chunk.tag == "DEMF") {
            const test::RawDem dem = test::ReadDem(chunk.body);
            triangles.back() += (dem.columns - 1) * (dem.rows - 1) * 2;
        }
    }
    return triangles;
}

TEST_F(ExportCommand, EveryBlockAsGlbWithItsCountsPerFile) {
    std::filesystem::create_directory(Out());
    const auto result = RunCli({"export", Sheet(), "--all", "--out", Out()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::regex line(
        R"((\S+\.glb): 3 buildings written, 0 left out, (\d+) triangles, texture 16 x 16)");
    std::vector<std::size_t> printed;
    for (std::sregex_iterator it(result.out.begin(), result.out.end(), line), end; it != end;
         ++it) {
        EXPECT_TRUE(std::filesystem::exists((*it)[1].str()));
        printed.push_back(std::stoul((*it)[2].str()));
    }
    EXPECT_EQ(printed, TrianglesPerBlock(Sheet()));
    EXPECT_THAT(result.out, HasSubstr("in EPSG:2451"));
}

TEST_F(ExportCommand, GltfAndObjComeWithTheirCompanionFiles) {
    std::filesystem::create_directory(Out());
    ASSERT_EQ(
        RunCli({"export", Sheet(), "--block", "3", "--format", "gltf", "--out", Out()}).exitCode,
        0);
    EXPECT_EQ(Written(), (std::set<std::string>{".gltf", ".bin", ".png"}));
    std::filesystem::remove_all(Out());
    std::filesystem::create_directory(Out());
    ASSERT_EQ(RunCli({"export", Sheet(), "--block", "3", "--format", "obj", "--out", Out(),
                      "--no-texture"})
                  .exitCode,
              0);
    EXPECT_EQ(Written(), (std::set<std::string>{".obj", ".mtl"}));
}

TEST_F(ExportCommand, CompressedGltfComesWithAJpegAndTheQualityChangesItsSize) {
    std::filesystem::create_directory(Out());
    const auto low = RunCli({"export", Sheet(), "--block", "3", "--format", "gltf", "--out", Out(),
                             "--compress", "--texture-quality", "10"});
    ASSERT_EQ(low.exitCode, 0) << low.err;
    EXPECT_EQ(Written(), (std::set<std::string>{".gltf", ".bin", ".jpg"}));
    EXPECT_THAT(low.out, HasSubstr(".jpg: texture 16 x 16"));
    std::filesystem::path jpeg;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "out")) {
        if (entry.path().extension() == ".jpg") {
            jpeg = entry.path();
        }
    }
    const auto lowBytes = std::filesystem::file_size(jpeg);
    ASSERT_EQ(RunCli({"export", Sheet(), "--block", "3", "--format", "gltf", "--out", Out(),
                      "--compress", "--texture-quality", "100"})
                  .exitCode,
              0);
    EXPECT_GT(std::filesystem::file_size(jpeg), lowBytes);
}

TEST_F(ExportCommand, CompressionOptionsThatCannotApplyAreUsageErrorsInOneLine) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--format", "obj", "--compress"}, "--compress: OBJ has no compression"},
        {{"--texture-quality", "50"}, "--texture-quality requires --compress"},
        {{"--compress", "--texture-quality", "101"}, "'101' is not a whole number from 1 to 100"},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> arguments = {"export", Sheet(), "--block", "1", "--out", Out()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const auto result = RunCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << message;
        EXPECT_THAT(result.err, HasSubstr(message));
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(std::filesystem::exists(Out()));
    }
}

// A folder where the model would go; a missing --out folder is made instead.
TEST_F(ExportCommand, AFileThatCannotBeWrittenFailsWithItsNameOnStandardError) {
    const auto model = dir / "out" / "09M0080M034800040003.glb";
    std::filesystem::create_directories(model);
    const auto result = RunCli({"export", Sheet(), "--block", "1", "--out", Out()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr(model.string() + " cannot be created"));
    std::filesystem::remove_all(dir / "out");
    const auto made = RunCli({"export", Sheet(), "--block", "1", "--out", Out() + "/new"});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "out" / "new" / model.filename()));
}

// Blocks 3 and 4 start within the same hundred metres, so both are named
// 09M0068M036000040003: the second is not written over the first.
TEST_F(ExportCommand, SecondBlockOfTheSameOutputNameIsAConflict) {
    test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f);
    sheet.SubSheetArea(2, -6800.0f, -36000.0f);
    sheet.Building(0, 10, {{-6700, -35900}, {-6690, -35900}, {-6690, -35890}});
    sheet.SubSheetArea(3, -6850.0f, -36050.0f);
    sheet.Building(0, 10, {{-6700, -35900}, {-6690, -35900}, {-6690, -35890}});
    sheet.Building(0, 10, {{-6650, -35850}, {-6640, -35850}, {-6640, -35840}});
    ASSERT_TRUE(sheet.WriteTo(dir / "twice.tqb"));
    const auto result = RunCli({"export", (dir / "twice.tqb").string(), "--all", "--out", Out()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.out, HasSubstr("09M0068M036000040003.glb: 1 buildings written"));
    EXPECT_THAT(result.out, Not(HasSubstr("2 buildings written")));
    EXPECT_EQ(result.err, "vesk-cli export: " + (dir / "twice.tqb").string() +
                              " block 4 (09M0068M036000040003): an earlier block of this sheet "
                              "has the same output name\n");
}

// A block at no number would be written with a null origin and the name of
// a block at 0,0; the blocks with a place are written all the same.
TEST_F(ExportCommand, ABlockOriginThatIsNoNumberIsRefused) {
    test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f);
    sheet.SubSheetArea(2, std::numeric_limits<float>::infinity(), -36000.0f);
    sheet.Building(0, 10, {{-6700, -35900}, {-6690, -35900}, {-6690, -35890}});
    sheet.SubSheetArea(3, -6400.0f, -36000.0f);
    sheet.Building(0, 10, {{-6300, -35900}, {-6290, -35900}, {-6290, -35890}});
    ASSERT_TRUE(sheet.WriteTo(dir / "nowhere.tqb"));
    const auto result = RunCli({"export", (dir / "nowhere.tqb").string(), "--all", "--out", Out()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.out, HasSubstr("09M0064M036000040003.glb: 1 buildings written"));
    EXPECT_EQ(result.err, "vesk-cli export: " + (dir / "nowhere.tqb").string() +
                              " block 3 (09P21474836M036000040003): left out (error 1309): the "
                              "block's origin is NaN or infinite\n");
    EXPECT_EQ(Written(), (std::set<std::string>{".glb"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 1);
}

// The program words the parts left out in Japanese; the command line and the
// batch reports keep telling them in English, byte for byte.
TEST_F(ExportCommand, PartsLeftOutAreToldInEnglishInTheListAndTheReport) {
    test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f);
    sheet.SubSheetArea(3, -6800.0f, -36000.0f);
    sheet.Building(0, 10, {{-6700, -35900}, {-6690, -35900}, {-6690, -35890}});
    sheet.Dem(2, 2, 400, 300, {1, std::numeric_limits<float>::quiet_NaN(), 3, 4});
    std::filesystem::create_directory(dir / "in");
    ASSERT_TRUE(sheet.WriteTo(dir / "in" / "grid.tqb"));
    const std::string reason = "terrain left out: a height is not a finite number";
    std::filesystem::create_directory(Out());
    const auto exported =
        RunCli({"export", (dir / "in" / "grid.tqb").string(), "--block", "4", "--out", Out()});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_THAT(exported.out, HasSubstr("\n  " + reason + "\n"));
    const std::string report = (dir / "report.json").string();
    const auto tiles = RunCli({"tiles", (dir / "in").string(), "--out", (dir / "tiles").string(),
                               "--heights", "sea-level", "--quiet", "--report", report});
    ASSERT_EQ(tiles.exitCode, 0) << tiles.err;
    std::ifstream in(report);
    const std::string json((std::istreambuf_iterator<char>(in)), {});
    EXPECT_THAT(json, HasSubstr("\"messages\": [\"" + reason + "\"]"));
}

// Block 4 of a sheet: a sound building, a bow tie crossing itself at
// (-6690, -35890) and a building whose roof is at its bottom.
std::string FaultySheet(const std::filesystem::path& path) {
    test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f);
    sheet.SubSheetArea(3, -6800.0f, -36000.0f);
    sheet.Building(0, 10, {{-6700, -35900}, {-6690, -35900}, {-6690, -35890}});
    sheet.Building(0, 10, {{-6700, -35900}, {-6680, -35880}, {-6680, -35900}, {-6700, -35880}});
    sheet.Building(4, 4, {{-6650, -35850}, {-6640, -35850}, {-6640, -35840}, {-6650, -35840}});
    EXPECT_TRUE(sheet.WriteTo(path));
    return path.string();
}

// (building, code, place, text) of every line matching the pattern.
std::set<std::vector<std::string>> Faults(const std::string& out, const std::regex& line) {
    std::set<std::vector<std::string>> faults;
    for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it) {
        faults.insert({(*it)[1], (*it)[2], (*it)[3], (*it)[4]});
    }
    return faults;
}

TEST_F(ExportCommand, LeavesOutWhatTheCheckCallsErrorsWithItsCodePlaceAndText) {
    const std::string sheet = FaultySheet(dir / "faulty.tqb");
    std::filesystem::create_directory(Out());
    const auto exported = RunCli({"export", sheet, "--block", "4", "--out", Out()});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_THAT(exported.out, HasSubstr("1 buildings written, 2 left out, 8 triangles"));
    EXPECT_THAT(exported.out,
                HasSubstr("  building 2 left out (error 104) at X,Y = "
                          "-6690.0,-35890.0: the footprint crosses or touches itself"));
    const auto checked = RunCli({"check", sheet});
    EXPECT_EQ(checked.exitCode, 4);
    const auto left =
        Faults(exported.out,
               std::regex(R"(building (\d+) left out \(error (\d+)\) at X,Y = (\S+): (.*))"));
    const auto found =
        Faults(checked.out, std::regex(R"(error +(\d+) building (\d+) at X,Y = (\S+): (.*))"));
    std::set<std::vector<std::string>> errors;
    for (const auto& f : found) {
        errors.insert({f[1], f[0], f[2], f[3]});  // building first, as the export lists it
    }
    EXPECT_EQ(left.size(), 2u);
    EXPECT_EQ(left, errors);
}

}  // namespace
}  // namespace vesk
