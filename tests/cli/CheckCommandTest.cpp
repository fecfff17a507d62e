// vesk-cli check on sample sheets and on sheets with a known fault: the exit
// statuses, and the JSON read back by a JSON parser.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <limits>

#include "CliRunner.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::RunCli;
using ::testing::HasSubstr;

class CheckCommand : public ::testing::Test {
protected:
    void Sample(const std::string& file, std::vector<std::string> options = {}) {
        std::vector<std::string> args{"sample", (dir / file).string()};
        args.insert(args.end(), options.begin(), options.end());
        ASSERT_EQ(RunCli(args).exitCode, 0);
    }

    // A sheet whose block 4 (number 3) holds a sound building and a bow tie.
    std::string FaultySheet() {
        test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f);
        sheet.SubSheetArea(3, -6800.0f, -36000.0f);
        sheet.Building(0, 10, {{-6700, -35900}, {-6690, -35900}, {-6690, -35890}});
        sheet.Building(0, 10, {{-6700, -35900}, {-6680, -35880}, {-6680, -35900}, {-6700, -35880}});
        const auto path = dir / "faulty.tqb";
        EXPECT_TRUE(sheet.WriteTo(path));
        return path.string();
    }

    static nlohmann::json Json(const test::CliResult& result) {
        return nlohmann::json::parse(result.out);
    }

    test::TempDir dir;
};

// The sample generator makes sound sheets; a texture whose side is no power
// of two is its only warning.
TEST_F(CheckCommand, SampleSheetsHoldNoError) {
    Sample("plain.tqb");
    Sample("odd.tqb", {"--texture", "100", "--seed", "5", "--buildings", "300"});
    const auto result = RunCli({"check", dir.Path().string(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    const nlohmann::json json = Json(result);
    ASSERT_EQ(json["sheets"].size(), 2u);
    EXPECT_EQ(json["summary"]["errors"], 0);
    EXPECT_EQ(json["summary"]["warnings"], 25);
    for (const auto& sheet : json["sheets"]) {
        EXPECT_EQ(sheet["opened"], true);
        EXPECT_EQ(sheet["blocks"].size(), 25u);
        for (const auto& block : sheet["blocks"]) {
            for (const auto& finding : block["findings"]) {
                EXPECT_EQ(finding["code"], 1203) << finding;
                EXPECT_THAT(sheet["file"].get<std::string>(), HasSubstr("odd.tqb"));
            }
        }
    }
}

TEST_F(CheckCommand, ErrorsGiveStatus4WithCodeSeverityBuildingAndPlace) {
    const auto result = RunCli({"check", FaultySheet(), "--json"});
    EXPECT_EQ(result.exitCode, 4);
    const nlohmann::json json = Json(result);
    const auto& blocks = json["sheets"][0]["blocks"];
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0]["number"], 3);
    ASSERT_EQ(blocks[0]["findings"].size(), 1u);
    const auto& finding = blocks[0]["findings"][0];
    EXPECT_EQ(finding["code"], 104);
    EXPECT_EQ(finding["severity"], "error");
    EXPECT_EQ(finding["building"], 1);
    EXPECT_DOUBLE_EQ(finding["x"].get<double>(), -6690.0);  // where the bow tie crosses
    EXPECT_DOUBLE_EQ(finding["y"].get<double>(), -35890.0);
    EXPECT_EQ(json["summary"]["errors"], 1);

    // People read the building's number from 1, as the program's panel and
    // the 3D preview show it; the JSON keeps its place from 0.
    const auto plain = RunCli({"check", FaultySheet()});
    EXPECT_EQ(plain.exitCode, 4);
    EXPECT_THAT(plain.out, HasSubstr("block 4: 1 errors, 0 warnings"));
    EXPECT_THAT(plain.out, HasSubstr("error    104 building 2 at X,Y = -6690.0,-35890.0"));
}

// An empty file or one of text opens, as the program opens it, without a
// message; the check calls it what it is.
TEST_F(CheckCommand, AFileWithoutSheetDataIsAnErrorOfTheSheet) {
    std::ofstream(dir / "empty.tqb");
    std::ofstream(dir / "notes.tqb") << "not a sheet";
    const auto plain = RunCli({"check", (dir / "empty.tqb").string()});
    EXPECT_EQ(plain.exitCode, 4);
    EXPECT_EQ(plain.out, (dir / "empty.tqb").string() +
                             ": 0 blocks, 1 errors, 0 warnings\n"
                             "  error   1308: the file holds no sheet data: no sheet area, "
                             "picture or block\n"
                             "summary: 1 sheets, 1 errors, 0 warnings\n");
    const auto result = RunCli({"check", dir.Path().string(), "--json"});
    EXPECT_EQ(result.exitCode, 4);
    const nlohmann::json json = Json(result);
    ASSERT_EQ(json["sheets"].size(), 2u);
    for (const auto& sheet : json["sheets"]) {
        EXPECT_EQ(sheet["opened"], true);
        EXPECT_TRUE(sheet["messages"].empty());
        ASSERT_EQ(sheet["findings"].size(), 1u) << sheet;
        EXPECT_EQ(sheet["findings"][0]["code"], 1308);
        EXPECT_EQ(sheet["findings"][0]["building"], nullptr);
    }
    EXPECT_EQ(json["summary"]["errors"], 2);
    // A sheet with findings of its blocks only keeps the keys it always had.
    EXPECT_FALSE(
        Json(RunCli({"check", FaultySheet(), "--json"}))["sheets"][0].contains("findings"));
}

// A block at no number has no place for its other checks to measure from.
TEST_F(CheckCommand, ABlockOriginThatIsNoNumberIsAnErrorOfTheBlock) {
    test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f);
    sheet.SubSheetArea(3, std::numeric_limits<float>::quiet_NaN(), -36000.0f);
    sheet.Building(0, 10, {{-6700, -35900}, {-6690, -35900}, {-6690, -35890}});
    sheet.SubSheetArea(4, -6400.0f, std::numeric_limits<float>::infinity());
    ASSERT_TRUE(sheet.WriteTo(dir / "nowhere.tqb"));
    const auto plain = RunCli({"check", (dir / "nowhere.tqb").string()});
    EXPECT_EQ(plain.exitCode, 4);
    EXPECT_EQ(plain.out, (dir / "nowhere.tqb").string() +
                             ": 2 blocks, 2 errors, 0 warnings\n"
                             "  block 4: 1 errors, 0 warnings\n"
                             "    error   1309: the block's origin is NaN or infinite\n"
                             "  block 5: 1 errors, 0 warnings\n"
                             "    error   1309: the block's origin is NaN or infinite\n"
                             "summary: 1 sheets, 2 errors, 0 warnings\n");
    const auto result = RunCli({"check", (dir / "nowhere.tqb").string(), "--json"});
    const nlohmann::json json = Json(result);
    for (const auto& block : json["sheets"][0]["blocks"]) {
        ASSERT_EQ(block["findings"].size(), 1u) << block;
        EXPECT_EQ(block["findings"][0]["code"], 1309);
        EXPECT_EQ(block["findings"][0]["x"], 0.0);
        EXPECT_EQ(block["findings"][0]["y"], 0.0);
    }
}

// However many points the grid has, the sample spreads them over the whole block.
TEST_F(CheckCommand, SampleGridsOfAnyCountCoverTheirBlocks) {
    for (const char* grid : {"41x41", "21x16"}) {
        Sample(std::string("grid") + grid + ".tqb", {"--dem", grid, "--buildings", "5"});
    }
    const auto result = RunCli({"check", dir.Path().string()});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_THAT(result.out, HasSubstr("summary: 2 sheets, 0 errors"));
}

TEST_F(CheckCommand, ASheetThatCannotBeOpenedOrNoSheetGivesStatus1) {
    const std::string faulty = FaultySheet();
    const auto result = RunCli({"check", faulty, (dir / "missing.tqb").string(), "--json"});
    EXPECT_EQ(result.exitCode, 1);
    const nlohmann::json json = Json(result);
    ASSERT_EQ(json["sheets"].size(), 2u);
    EXPECT_EQ(json["sheets"][0]["opened"], true);
    EXPECT_EQ(json["sheets"][1]["opened"], false);
    EXPECT_FALSE(json["sheets"][1]["messages"].empty());
    EXPECT_TRUE(json["sheets"][1]["blocks"].empty());

    const test::TempDir empty;
    EXPECT_EQ(RunCli({"check", empty.Path().string()}).exitCode, 1);
}

TEST_F(CheckCommand, JobsChangeNothingButTheTime) {
    for (const char* seed : {"1", "2", "3"}) {
        Sample(std::string("s") + seed + ".tqb",
               {"--seed", seed, "--texture", "60", "--dem", "3x10", "--buildings", "20"});
    }
    FaultySheet();
    const auto one = RunCli({"check", dir.Path().string(), "--jobs", "1"});
    const auto four = RunCli({"check", dir.Path().string(), "--jobs", "4"});
    EXPECT_EQ(one.exitCode, 4);
    EXPECT_EQ(four.exitCode, 4);
    EXPECT_EQ(one.out, four.out);
}

}  // namespace
}  // namespace vesk
