// vesk-cli tiles on sheets made by vesk-cli sample: the tilesets read back
// as JSON, the positions checked against PROJ's cs2cs in BlockPlacementTest.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <thread>

#include "CliRunner.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::RunCli;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Json = nlohmann::json;

Json ReadJson(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Json::parse(in, nullptr, false);
}

// Every file below the folder, by its path from there, with its bytes.
std::map<std::string, std::string> FilesBelow(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files[std::filesystem::relative(entry.path(), folder).string()] = bytes.str();
        }
    }
    return files;
}

std::size_t FileCount(const std::filesystem::path& folder) {
    std::error_code error;
    std::size_t count = 0;
    for (std::filesystem::recursive_directory_iterator entry(folder, error), end;
         !error && entry != end; entry.increment(error)) {
        count += entry->is_regular_file(error) ? 1 : 0;
    }
    return count;
}

// Waits, with a generous limit, until the run has ended or written `files` files into the folder.
void WaitForFiles(test::RunningCli& run, const std::filesystem::path& folder, std::size_t files) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (run.Running() && FileCount(folder) < files && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
}

class TilesCommand : public ::testing::Test {
protected:
    void Sample(const std::filesystem::path& path, std::vector<std::string> options) {
        std::filesystem::create_directories(path.parent_path());
        std::vector<std::string> args{"sample", path.string(), "--buildings", "3",
                                      "--dem",  "5x4",         "--texture",   "8"};
        args.insert(args.end(), options.begin(), options.end());
        ASSERT_EQ(RunCli(args).exitCode, 0);
    }

    test::TempDir dir;
};

TEST_F(TilesCommand, SheetsOfTwoZonesShareOneRootAndAZoneWithoutGeoreferenceIsLeftOut) {
    Sample(dir / "in" / "tokyo.tqb", {});
    Sample(dir / "in" / "kanazawa.tqb", {"--zone", "7", "--origin", "60000,-40000"});
    Sample(dir / "in" / "nowhere.tqb", {"--zone", "0"});
    const auto out = dir / "out";
    const auto result =
        RunCli({"tiles", (dir / "in").string(), "--out", out.string(), "--jobs", "2", "--report",
                (dir / "report.json").string(), "--heights", "sea-level"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("blocks: 50 converted, 25 left out, 0 failed, 0 conflicts"));
    EXPECT_THAT(result.out, HasSubstr("tileset.json, sheets: 2\n"));

    const Json root = ReadJson(out / "tileset.json");
    ASSERT_FALSE(root.is_discarded());
    EXPECT_EQ(root["asset"]["version"], "1.1");
    EXPECT_EQ(root["asset"]["extras"], Json({{"heights", "sea-level"}}));
    // Each zone's sheets in a tree of their own, by their place on its grid.
    std::vector<std::string> uris;
    for (const Json& child : root["root"]["children"]) {
        uris.push_back(child["content"]["uri"]);
    }
    EXPECT_THAT(uris, ElementsAre("tree/z7_l3_x0_y-1.json", "tree/z9_l3_x-1_y-1.json"));
    const Json& all = root["root"]["boundingVolume"]["region"];
    for (const Json& child : root["root"]["children"]) {
        const Json& r = child["boundingVolume"]["region"];
        EXPECT_LE(all[0].get<double>(), r[0].get<double>());
        EXPECT_GE(all[2].get<double>(), r[2].get<double>());
        EXPECT_LE(all[4].get<double>(), r[4].get<double>());
        EXPECT_GE(all[5].get<double>(), r[5].get<double>());
    }

    const Json sheet = ReadJson(out / "sheets" / "tokyo" / "tileset.json");
    ASSERT_EQ(sheet["root"]["children"].size(), 25u);
    EXPECT_EQ(sheet["root"]["content"]["uri"], "sheet.glb");
    EXPECT_EQ(sheet["root"]["refine"], "REPLACE");
    const Json& block = sheet["root"]["children"][0];
    EXPECT_EQ(block["content"]["uri"], "09M0080M034800040003.glb");
    EXPECT_EQ(block["metadata"]["properties"]["name"], "09M0080M034800040003");
    EXPECT_EQ(block["metadata"]["properties"]["sheet"], "tokyo.tqb");
    EXPECT_TRUE(std::filesystem::exists(out / "sheets" / "tokyo" / "09M0080M034800040003.glb"));
    // The block's origin through its transform and its sheet's:
    // echo "-34800 -8000 0" | cs2cs EPSG:2451 EPSG:4978
    const Json& parent = sheet["root"]["transform"];
    const Json& child = block["transform"];
    const double expected[3] = {-3958118.5065, 3351394.0991, 3699976.2896};
    for (int i = 0; i < 3; ++i) {
        double origin = parent[12 + i].get<double>();
        for (int k = 0; k < 3; ++k) {
            origin += parent[4 * k + i].get<double>() * child[12 + k].get<double>();
        }
        EXPECT_NEAR(origin, expected[i], 0.001) << i;
    }
    EXPECT_FALSE(std::filesystem::exists(out / "sheets" / "nowhere"));

    const Json report = ReadJson(dir / "report.json");
    EXPECT_EQ(report["command"], "tiles");
    const Json& nowhere = report["sheets"][1];
    EXPECT_EQ(nowhere["status"], "left_out");
    EXPECT_THAT(nowhere["messages"][0].get<std::string>(), HasSubstr("zone 0 has no georeference"));
}

TEST_F(TilesCommand, SheetOfTheSameNameElsewhereIsAConflictInEveryShard) {
    Sample(dir / "a" / "sheet.tqb", {});
    Sample(dir / "b" / "sheet.tqb", {"--origin", "-6000,-36000"});
    const auto out = dir / "out";
    // The shards are given the inputs in different orders: the sheets are
    // counted in the byte order of their paths all the same.
    for (const std::string shard : {"0/2", "1/2"}) {
        const std::string first = (dir / (shard == "0/2" ? "a" : "b")).string();
        const std::string second = (dir / (shard == "0/2" ? "b" : "a")).string();
        const auto result =
            RunCli({"tiles", first, second, "--out", out.string(), "--shard", shard, "--quiet"});
        EXPECT_EQ(result.exitCode, shard == "1/2" ? 1 : 0) << result.err;
        EXPECT_THAT(result.out, HasSubstr("the root is left to vesk-cli tiles --merge"));
        if (shard == "1/2") {
            EXPECT_THAT(result.err, HasSubstr("conflict: " + (dir / "a" / "sheet.tqb").string()));
        }
    }
    EXPECT_FALSE(std::filesystem::exists(out / "tileset.json"));
    const auto merged = RunCli({"tiles", "--merge", out.string()});
    EXPECT_EQ(merged.exitCode, 0) << merged.err;
    EXPECT_EQ(merged.out, "tileset: " + (out / "tileset.json").string() + ", sheets: 1\n");
    // The sheet written is the first one's: its blocks lie at its origin.
    const Json sheet = ReadJson(out / "sheets" / "sheet" / "tileset.json");
    EXPECT_EQ(sheet["root"]["children"][0]["content"]["uri"], "09M0080M034800040003.glb");
}

// "..tqb" and "...tqb" have the stems "." and "..": as folder names they
// would be out/sheets and out itself.
TEST_F(TilesCommand, SheetWhoseStemIsDotsGetsAFolderOfItsOwn) {
    Sample(dir / "in" / "..tqb", {"--origin", "-36000,-6000"});
    Sample(dir / "in" / "...tqb", {"--origin", "-38000,-6000"});
    Sample(dir / "in" / "tokyo.tqb", {});
    const auto out = dir / "out";
    const auto result = RunCli({"tiles", (dir / "in").string(), "--out", out.string(), "--jobs",
                                "1", "--heights", "sea-level", "--quiet"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("blocks: 75 converted, 0 left out, 0 failed, 0 conflicts"));
    EXPECT_THAT(result.out, HasSubstr("tileset.json, sheets: 3\n"));
    for (const char* folder : {"%2E", "%2E%2E", "tokyo"}) {
        const Json sheet = ReadJson(out / "sheets" / folder / "tileset.json");
        ASSERT_FALSE(sheet.is_discarded()) << folder;
        EXPECT_EQ(sheet["root"]["children"].size(), 25u) << folder;
    }
    EXPECT_FALSE(std::filesystem::exists(out / "sheets" / "tileset.json"));
    EXPECT_TRUE(ReadJson(out / "tileset.json").contains("schema"));  // the root's, not a sheet's
}

// Block 1 comes under a sheet area of zone 0, blocks 2 and 3 under one of
// zone 9; block 3 has no number for its origin.
TEST_F(TilesCommand, EachBlockIsPlacedOrReportedOnItsOwn) {
    test::SheetBuilder sheet = test::StandardSheet(-8000.0f, -36000.0f, 0);
    sheet.SubSheetArea(0, -8000.0f, -36000.0f);
    sheet.Building(0, 10, {{-7900, -35900}, {-7890, -35900}, {-7890, -35890}});
    sheet.SheetArea(2500, 9, -8000.0f, -36000.0f);
    sheet.SubSheetArea(1, -7600.0f, -36000.0f);
    sheet.Building(0, 10, {{-7500, -35900}, {-7490, -35900}, {-7490, -35890}});
    sheet.SubSheetArea(2, std::numeric_limits<float>::quiet_NaN(), -36000.0f);
    sheet.Building(0, 10, {{-7100, -35900}, {-7090, -35900}, {-7090, -35890}});
    std::filesystem::create_directories(dir / "in");
    ASSERT_TRUE(sheet.WriteTo(dir / "in" / "mixed.tqb"));
    const auto out = dir / "out";
    const auto result = RunCli({"tiles", (dir / "in").string(), "--out", out.string(), "--heights",
                                "sea-level", "--quiet"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.out, HasSubstr("blocks: 1 converted, 1 left out, 1 failed, 0 conflicts"));
    EXPECT_THAT(result.err, HasSubstr("mixed.tqb block 3 (09P0000M036000040003): left out "
                                      "(error 1309): the block's origin is NaN or infinite\n"));
    const Json tileset = ReadJson(out / "sheets" / "mixed" / "tileset.json");
    ASSERT_FALSE(tileset.is_discarded());
    ASSERT_EQ(tileset["root"]["children"].size(), 1u);
    EXPECT_EQ(tileset["root"]["children"][0]["content"]["uri"], "09M0076M036000040003.glb");
}

// Heights go above the ellipsoid by the geoid, recorded for the reader; a
// grid that cannot be read stops the run before anything is written.
// A run killed at any moment (SIGKILL: no handler runs) and resumed, again
// and again, ends with the very files of a run that was never killed, and
// leaves no temporary behind.
TEST_F(TilesCommand, RunKilledAtRandomMomentsAndResumedWritesTheFilesOfOneRun) {
    for (int seed = 1; seed <= 4; ++seed) {
        Sample(dir / "in" / ("s" + std::to_string(seed) + ".tqb"),
               {"--seed", std::to_string(seed)});
    }
    const std::vector<std::string> tiles{"tiles", (dir / "in").string(), "--jobs", "2", "--quiet"};
    const auto Run = [&](const std::filesystem::path& out, bool resume) {
        std::vector<std::string> args = tiles;
        args.insert(args.end(), {"--out", out.string()});
        if (resume) {
            args.push_back("--resume");
        }
        return args;
    };
    ASSERT_EQ(RunCli(Run(dir / "whole", false)).exitCode, 0);
    const std::map<std::string, std::string> whole = FilesBelow(dir / "whole");

    const auto out = dir / "killed";
    std::mt19937 random(10);
    for (int kill = 0; kill < 10; ++kill) {
        const std::size_t before = FileCount(out);
        const std::size_t more =
            std::uniform_int_distribution<std::size_t>(1, whole.size() - 1)(random);
        test::RunningCli run(Run(out, kill > 0));
        WaitForFiles(run, out, before + more);
        run.Kill(SIGKILL);
    }
    const auto resumed = RunCli(Run(out, true));
    EXPECT_EQ(resumed.exitCode, 0) << resumed.err;
    EXPECT_THAT(resumed.out, HasSubstr(" kept\n"));
    const std::map<std::string, std::string> finished = FilesBelow(out);
    for (const auto& [name, bytes] : finished) {
        EXPECT_FALSE(name.ends_with(".tmp")) << name;
    }
    EXPECT_EQ(finished.size(), whole.size());
    for (const auto& [name, bytes] : whole) {
        const auto file = finished.find(name);
        EXPECT_TRUE(file != finished.end() && file->second == bytes) << name;
    }
}

// Without PROJ's database nothing can be placed: one message says so and
// what to install, before any sheet is read, instead of one per block.
TEST_F(TilesCommand, MissingProjDatabaseIsOneMessageBeforeAnySheet) {
    Sample(dir / "in" / "a.tqb", {});
    Sample(dir / "in" / "b.tqb", {"--seed", "2"});
    std::filesystem::create_directories(dir / "empty");
    for (const char* heights : {"sea-level", "ellipsoidal"}) {
        const auto run = RunCli({"tiles", (dir / "in").string(), "--out", (dir / "out").string(),
                                 "--heights", heights, "--quiet"},
                                {{"PROJ_DATA", (dir / "empty").string()}, {"PROJ_LIB", ""}});
        EXPECT_EQ(run.exitCode, 1) << heights;
        EXPECT_EQ(run.err,
                  "vesk-cli tiles: PROJ's database of coordinate systems cannot be used (Cannot "
                  "find proj.db): install the Debian package proj-data, or set PROJ_DATA to the "
                  "folder that holds proj.db\n")
            << heights;
        EXPECT_EQ(run.out, "") << heights;
        EXPECT_FALSE(std::filesystem::exists(dir / "out")) << heights;
    }
}

TEST_F(TilesCommand, HeightsAreRaisedByTheGeoidAndAMissingGridWritesNothing) {
    Sample(dir / "in" / "tokyo.tqb", {});
    const auto seaLevel = RunCli({"tiles", (dir / "in").string(), "--out", (dir / "sea").string(),
                                  "--heights", "sea-level", "--quiet"});
    const auto ellipsoidal =
        RunCli({"tiles", (dir / "in").string(), "--out", (dir / "ell").string(), "--quiet"});
    ASSERT_EQ(seaLevel.exitCode, 0) << seaLevel.err;
    ASSERT_EQ(ellipsoidal.exitCode, 0) << ellipsoidal.err;
    const Json root = ReadJson(dir / "ell" / "tileset.json");
    EXPECT_EQ(root["asset"]["extras"],
              Json({{"heights", "ellipsoidal"}, {"geoid", "EGM96 (egm96_15.gtx)"}}));
    // Near Tokyo the geoid is 36 to 37 m above the ellipsoid (cs2cs EPSG:4326+5773 EPSG:4979).
    const auto low = [](const std::filesystem::path& p) {
        return ReadJson(p)["root"]["boundingVolume"]["region"][4].get<double>();
    };
    const double raised = low(dir / "ell" / "sheets" / "tokyo" / "tileset.json") -
                          low(dir / "sea" / "sheets" / "tokyo" / "tileset.json");
    EXPECT_GT(raised, 36.0);
    EXPECT_LT(raised, 37.5);

    const auto missing = RunCli({"tiles", (dir / "in").string(), "--out", (dir / "x").string(),
                                 "--geoid-grid", (dir / "no-such.gtx").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, HasSubstr("no-such.gtx"));
    EXPECT_FALSE(std::filesystem::exists(dir / "x"));
    // PROJ's data without the EGM96 grid: the message names the package to install.
    std::filesystem::create_directories(dir / "proj");
    std::filesystem::create_symlink("/usr/share/proj/proj.db", dir / "proj" / "proj.db");
    const auto noData = RunCli({"tiles", (dir / "in").string(), "--out", (dir / "y").string()},
                               {{"PROJ_DATA", (dir / "proj").string()}, {"PROJ_LIB", ""}});
    EXPECT_EQ(noData.exitCode, 1);
    EXPECT_THAT(noData.err, HasSubstr("proj-data"));
    EXPECT_FALSE(std::filesystem::exists(dir / "y"));
    const auto both = RunCli({"tiles", (dir / "in").string(), "--out", (dir / "z").string(),
                              "--heights", "sea-level", "--geoid-grid", "g.gtx"});
    EXPECT_EQ(both.exitCode, 2);
    const auto pngQuality = RunCli({"tiles", (dir / "in").string(), "--out", (dir / "z").string(),
                                    "--no-compress", "--texture-quality", "50"});
    EXPECT_EQ(pngQuality.exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "z"));
}

}  // namespace
}  // namespace vesk
