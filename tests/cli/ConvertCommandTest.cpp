// vesk-cli convert on sheets made by vesk-cli sample: the files it writes are
// read back and compared with what printf-style statements give for the
// chunks found by walking the sheet here, independently of the core's reader.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CliRunner.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::RunCli;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

float F32(const std::string& bytes, std::size_t at) {
    const std::uint32_t bits = U32(bytes, at);
    float value = 0;
    std::memcpy(&value, &bits, 4);
    return value;
}

// The data chunks of one sub-sheet, found by walking the well-formed sample file.
struct SubSheetChunks {
    float x0 = 0;
    float y0 = 0;
    std::vector<std::string> buildings;  // STRC bodies in file order
    std::string dem;
    std::string ortho;
};

SubSheetChunks FindSubSheet(const std::string& sheet, int wanted) {
    SubSheetChunks found;
    int current = -1;
    for (std::size_t at = 0; at + 12 <= sheet.size();) {
        const std::uint32_t id = U32(sheet, at);
        const std::string tag = sheet.substr(at + 4, 4);
        const std::uint32_t size = U32(sheet, at + 8);
        const std::string body = sheet.substr(at + 12, size);
        if (id == 0x110001 && tag == "AREA") {
            current = static_cast<int>(U32(body, 0));
            if (current == wanted) {
                found.x0 = F32(body, 4);
                found.y0 = F32(body, 8);
            }
        } else if (current == wanted && tag == "STRC") {
            found.buildings.push_back(body);
        } else if (current == wanted && tag == "DEMF") {
            found.dem = body;
        } else if (current == wanted && tag == "ORTS") {
            found.ortho = body;
        }
        at += 12 + size;
    }
    return found;
}

// One statement as printf formats it, with the CR LF of the simulator's platform.
class Statements {
public:
    void operator()(const char* format, ...) {
        char line[4096];
        va_list args;
        va_start(args, format);
        std::vsnprintf(line, sizeof line, format, args);
        va_end(args);
        text += line;
    }
    void End() { text += "\r\n"; }
    std::string text;
};

std::string ExpectedBuildings(const SubSheetChunks& chunks) {
    Statements put;
    for (std::size_t k = 0; k < chunks.buildings.size(); ++k) {
        const std::string& b = chunks.buildings[k];
        const double bottom = F32(b, 0);
        const double roof = F32(b, 4);
        const int n = static_cast<int>(U32(b, 8));
        const auto x = [&](int i) { return static_cast<double>(F32(b, 12 + 8 * i)); };
        const auto y = [&](int i) { return static_cast<double>(F32(b, 16 + 8 * i)); };
        const int kk = static_cast<int>(k);
        if (n > 3)
            put("CONCAVE(ON);\r\n");
        put("BUILD_ROOF%06d=GROUP();\r\n", kk);
        for (int i = 0; i < n; ++i)
            put("V%06d=COORD(%f,%f,%f);\r\n", i, x(i), y(i), roof);
        for (int i = 0; i < n; ++i)
            put("P%06d=VERTEX(V%06d,,,);\r\n", i, i);
        put("F000000=FACE(");
        for (int i = 0; i < n; ++i)
            put(i ? ",P%06d" : "P%06d", i);
        put(");\r\nN000000=NORMAL(0.0,0.0,1.0);\r\nFACE_NORMAL(F000000,N000000);\r\n");
        put("GROUP_FACE(BUILD_ROOF%06d,F000000);\r\n", kk);
        if (n > 3)
            put("CONCAVE(OFF);\r\n");
        put("BUILD_WALL%06d=GROUP();\r\n", kk);
        for (int i = 0; i < n; ++i) {
            put("VBOTM%06d=COORD(%f,%f,%f);\r\n", i, x(i), y(i), bottom);
            put("VROOF%06d=COORD(%f,%f,%f);\r\n", i, x(i), y(i), roof);
        }
        for (int i = 0; i < n; ++i) {
            put("PBOTM%06d=VERTEX(VBOTM%06d,,,);\r\n", i, i);
            put("PROOF%06d=VERTEX(VROOF%06d,,,);\r\n", i, i);
        }
        for (int i = 0; i < n; ++i) {
            const int j = (i + 1) % n;
            put("F%06d=FACE(PBOTM%06d,PBOTM%06d,PROOF%06d,PROOF%06d);\r\n", i, i, j, j, i);
        }
        put("GROUP_FACE(BUILD_WALL%06d", kk);
        for (int i = 0; i < n; ++i)
            put(",F%06d", i);
        put(");\r\n");
    }
    return put.text;
}

std::string ExpectedTerrain(const SubSheetChunks& chunks, const std::string& name) {
    const std::string& d = chunks.dem;
    const int nx = static_cast<int>(U32(d, 0));
    const int ny = static_cast<int>(U32(d, 4));
    const double dx = F32(d, 8);
    const double dy = F32(d, 12);
    Statements put;
    put("DEM=GROUP(&GROUND);\r\n");
    for (int i = 0; i < ny; ++i) {
        for (int j = 0; j < nx; ++j) {
            const int v = i * nx + j;
            put("V%02d=COORD(%f,%f,%f);\r\n", v, chunks.x0 + j * dx, chunks.y0 + i * dy,
                static_cast<double>(F32(d, 16 + 4 * v)));
        }
    }
    for (int i = 0; i < ny; ++i) {
        for (int j = 0; j < nx; ++j) {
            put("T%02d=TCOORD(%f,%f);\r\n", i * nx + j, j / (nx - 1.0), i / (ny - 1.0));
        }
    }
    for (int v = 0; v < nx * ny; ++v)
        put("P%02d=VERTEX(V%02d,,T%02d);\r\n", v, v, v);
    int f = 0;
    for (int i = 0; i + 1 < ny; ++i) {
        for (int j = 0; j + 1 < nx; ++j, ++f) {
            const int a = i * nx + j;
            put("F%02d=FACE(P%02d,P%02d,P%02d,P%02d);\r\n", f, a, a + 1, a + nx + 1, a + nx);
        }
    }
    put("ORT=TEXTURE(\"%s.sgi\");\r\n", name.c_str());
    for (int g = 0; g < f; ++g)
        put("FACE_TEXTURE(F%02d,ORT);\r\n", g);
    put("GROUP_FACE(DEM");
    for (int g = 0; g < f; ++g)
        put(",F%02d", g);
    put(");");
    return put.text;
}

class ConvertCommand : public ::testing::Test {
protected:
    void MakeSample(std::vector<std::string> options = {}) {
        std::vector<std::string> args{"sample", sheet.string(), "--buildings", "6",
                                      "--dem",  "7x5",          "--texture",   "16"};
        args.insert(args.end(), options.begin(), options.end());
        ASSERT_EQ(RunCli(args).exitCode, 0);
    }

    std::vector<std::string> Entries(const std::filesystem::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir dir;
    std::filesystem::path sheet = dir / "sample.tqb";
};

// Block 1 of the sample sheet lies at (-8000, -34800) in zone 9.
constexpr const char* kBlock1 = "09M0080M034800040003";

TEST_F(ConvertCommand, ChosenFolderGetsTheFilesOfTheBlockAsPrintfWouldWriteThem) {
    MakeSample();
    const auto out = dir / "out";
    std::filesystem::create_directory(out);
    const auto result = RunCli({"convert", sheet.string(), "--block", "1", "--out", out.string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "[ﾒｯｾｰｼﾞ] 「" + out.string() + "」ﾌｫﾙﾀﾞにﾃﾞｰﾀを保存します\n" +
                              "[ﾒｯｾｰｼﾞ] 建物Orvikﾌｧｲﾙを変換して\nLSS-Gﾌｧｲﾙに保存しました。\n"
                              "ﾌｧｲﾙ名「" +
                              kBlock1 + ".geo」\n");
    EXPECT_EQ(result.err, "");
    ASSERT_THAT(Entries(out),
                ElementsAre(std::string(kBlock1) + ".geo", std::string(kBlock1) + ".sgi"));

    const SubSheetChunks chunks = FindSubSheet(ReadWhole(sheet), 0);
    ASSERT_EQ(chunks.buildings.size(), 6u);
    ASSERT_FALSE(chunks.ortho.empty());
    EXPECT_TRUE(ReadWhole(out / (std::string(kBlock1) + ".sgi")) == chunks.ortho);
    const std::string geo = ReadWhole(out / (std::string(kBlock1) + ".geo"));
    const std::string expected = ExpectedBuildings(chunks) + ExpectedTerrain(chunks, kBlock1);
    EXPECT_TRUE(geo == expected)
        << "first difference at byte "
        << std::mismatch(geo.begin(), geo.end(), expected.begin(), expected.end()).first -
               geo.begin();
}

TEST_F(ConvertCommand, AllBlocksGoIntoTheSimulatorFoldersOfKsimEnv) {
    MakeSample();
    const auto home = dir / "sim";
    std::filesystem::create_directories(home / "data" / "geo");
    std::filesystem::create_directories(home / "data" / "tex" / "sgi");
    const auto env = dir / "ksim.env";
    std::ofstream(env, std::ios::binary) << "HOME_PATH=" << home.string()
                                         << ";\r\nFILE_PATH_GEOMETRY=data/geo;\r\n"
                                            "FILE_PATH_MASTER_TEXTURE=data\\tex;\r\n";
    const auto result = RunCli({"convert", sheet.string(), "--all"}, {{"KSIM_ENV", env.string()}});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Entries(home / "data" / "geo").size(), 25u);
    EXPECT_EQ(Entries(home / "data" / "tex" / "sgi").size(), 25u);
    EXPECT_TRUE(std::filesystem::exists(home / "data" / "geo" / (std::string(kBlock1) + ".geo")));
    EXPECT_EQ(result.err, "");
}

// Blocks written side by side print, block by block, what one after another
// prints, failures in the middle included.
TEST_F(ConvertCommand, OneSheetOnSeveralJobsPrintsAndWritesWhatOneJobDoes) {
    MakeSample();
    const auto out = dir / "out";
    const auto convert = [&](const char* jobs) {
        std::filesystem::remove_all(out);
        std::filesystem::create_directories(out / "09M0064M035400040003.geo");
        std::filesystem::create_directories(out / "09M0076M036000040003.sgi");
        return RunCli({"convert", sheet.string(), "--all", "--out", out.string(), "--jobs", jobs});
    };
    const auto one = convert("1");
    const std::vector<std::string> written = Entries(out);
    const auto four = convert("4");
    EXPECT_EQ(one.exitCode, 1);
    EXPECT_EQ(four.exitCode, one.exitCode);
    EXPECT_EQ(four.out, one.out);
    EXPECT_EQ(four.err, one.err);
    EXPECT_EQ(Entries(out), written);
    EXPECT_EQ(written.size(), 50u);
    EXPECT_THAT(one.err, HasSubstr("09M0064M035400040003.geo"));
    EXPECT_LT(one.err.find("09M0064M035400040003.geo"), one.err.find("09M0076M036000040003.sgi"));
}

TEST_F(ConvertCommand, EnvironmentNoticesArePrintedInOrderAndItsErrorOnce) {
    MakeSample();
    const auto home = dir / "sim";
    std::filesystem::create_directories(home / "kdb" / "geometry");
    std::filesystem::create_directories(home / "kdb" / "texture" / "sgi");
    const auto env = dir / "ksim.env";
    std::ofstream(env, std::ios::binary) << "HOME_PATH=" << home.string() << ";\n";
    const auto noticed =
        RunCli({"convert", sheet.string(), "--block", "25"}, {{"KSIM_ENV", env.string()}});
    EXPECT_EQ(noticed.exitCode, 0);
    const std::size_t geometry = noticed.out.find("[ﾒｯｾｰｼﾞ] GEOMETRYﾌｫﾙﾀﾞの指定が分かりません\n「" +
                                                  home.string() + "/kdb/geometry」");
    const std::size_t texture = noticed.out.find("[ﾒｯｾｰｼﾞ] TEXTUREﾌｫﾙﾀﾞの指定が分かりません\n「" +
                                                 home.string() + "/kdb/texture」");
    EXPECT_NE(geometry, std::string::npos);
    EXPECT_LT(geometry, texture);
    EXPECT_LT(texture, noticed.out.find("LSS-Gﾌｧｲﾙに保存しました"));

    const auto failed = RunCli({"convert", sheet.string(), "--all"}, {{"KSIM_ENV", ""}});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err,
              "[ｴﾗｰ] 「景観ｼﾐｭﾚｰﾀ」が使用しているﾌｫﾙﾀﾞが分かりません\n"
              "環境変数「KSIM_ENV」等を確認して下さい\n");
    EXPECT_EQ(failed.out, "");
}

TEST_F(ConvertCommand, ClearingTheTerrainClearsTheTextureAsTheDialogDoes) {
    MakeSample();
    const auto out = dir / "out";
    std::filesystem::create_directory(out);
    const auto result =
        RunCli({"convert", sheet.string(), "--block", "1", "--out", out.string(), "--no-terrain"});
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_THAT(Entries(out), ElementsAre(std::string(kBlock1) + ".geo"));
    const std::string geo = ReadWhole(out / (std::string(kBlock1) + ".geo"));
    EXPECT_EQ(geo, ExpectedBuildings(FindSubSheet(ReadWhole(sheet), 0)));
}

TEST_F(ConvertCommand, TextureAloneIsPossibleWithoutDemAndShowsNoCompletion) {
    MakeSample({"--without", "dem"});
    const auto out = dir / "out";
    std::filesystem::create_directory(out);
    const auto result = RunCli(
        {"convert", sheet.string(), "--block", "1", "--out", out.string(), "--no-buildings"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(Entries(out), ElementsAre(std::string(kBlock1) + ".sgi"));
    EXPECT_EQ(result.out, "[ﾒｯｾｰｼﾞ] 「" + out.string() + "」ﾌｫﾙﾀﾞにﾃﾞｰﾀを保存します\n");
}

// The simulator's folders named by the environment file are not there: each
// file's error names the file, then its folder and the system's reason.
TEST_F(ConvertCommand, OutputThatCannotBeCreatedFailsWithTheFolderAndWhyOnStandardError) {
    MakeSample();
    const auto home = dir / "sim";
    const auto env = dir / "ksim.env";
    std::ofstream(env, std::ios::binary)
        << "HOME_PATH=" << home.string() << ";\nFILE_PATH_GEOMETRY=geo;\nFILE_PATH_TEXTURE=tex;\n";
    const auto result =
        RunCli({"convert", sheet.string(), "--block", "1"}, {{"KSIM_ENV", env.string()}});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err,
                HasSubstr("[ｴﾗｰ] 「" + (home / "tex" / "sgi").string() + "/" + kBlock1 +
                          ".sgi」ﾌｧｲﾙが作成できません\n「" + (home / "tex" / "sgi").string() +
                          "」ﾌｫﾙﾀﾞ: No such file or directory\n"));
    EXPECT_THAT(result.err, HasSubstr(".geo」ﾌｧｲﾙが作成できません\n「" + (home / "geo").string() +
                                      "」ﾌｫﾙﾀﾞ: No such file or directory\n"));
    EXPECT_THAT(result.out, ::testing::Not(HasSubstr("保存しました")));
}

// --out makes its folder as mkdir -p does; where that cannot be done, one
// message says why before anything is read or written.
TEST_F(ConvertCommand, OutFolderIsMadeOrItsFailureStopsTheCommandWithOneMessage) {
    MakeSample();
    const auto deep = dir / "new" / "deeper";
    const auto made = RunCli({"convert", sheet.string(), "--block", "1", "--out", deep.string()});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(Entries(deep).size(), 2u);
    const auto underAFile = sheet / "out";
    for (const auto& inputs : {std::vector<std::string>{sheet.string(), "--block", "1"},
                               std::vector<std::string>{sheet.string(), sheet.string(), "--all"}}) {
        std::vector<std::string> args{"convert"};
        args.insert(args.end(), inputs.begin(), inputs.end());
        args.insert(args.end(), {"--out", underAFile.string(), "--quiet"});
        const auto refused = RunCli(args);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.err, "vesk-cli convert: " + underAFile.string() + ": Not a directory\n");
        EXPECT_EQ(refused.out, "");
    }
}

// A bug report carries the codes: with --verbose or VESK_DEBUG each message
// is also logged in English with its code, and what is shown stays the same.
TEST_F(ConvertCommand, VerboseAndVeskDebugLogEachDiagnosticWithItsCode) {
    MakeSample();
    const auto home = dir / "sim";
    const auto env = dir / "ksim.env";
    std::ofstream(env, std::ios::binary)
        << "HOME_PATH=" << home.string() << ";\nFILE_PATH_GEOMETRY=geo;\nFILE_PATH_TEXTURE=tex;\n";
    const auto sgi = (home / "tex" / "sgi").string();
    const std::vector<std::string> convert{"convert", sheet.string(), "--block", "1"};
    std::vector<std::string> verbose{"--verbose"};
    verbose.insert(verbose.end(), convert.begin(), convert.end());
    const auto quiet = RunCli(convert, {{"KSIM_ENV", env.string()}});
    EXPECT_THAT(quiet.err, ::testing::Not(HasSubstr("E3006")));
    for (const auto& result :
         {RunCli(verbose, {{"KSIM_ENV", env.string()}}),
          RunCli(convert, {{"KSIM_ENV", env.string()}, {"VESK_DEBUG", "1"}})}) {
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_THAT(result.err, HasSubstr("vesk-cli: E3006 the file " + sgi + "/" + kBlock1 +
                                          ".sgi cannot be created: in the folder " + sgi +
                                          ": No such file or directory\n"));
        EXPECT_THAT(result.err,
                    HasSubstr("[ｴﾗｰ] 「" + sgi + "/" + kBlock1 + ".sgi」ﾌｧｲﾙが作成できません\n"));
        EXPECT_EQ(result.out, quiet.out);
    }
}

TEST_F(ConvertCommand, PictureIsCheckedAsWhenTheSheetIsOpenedAndAnyBodySizeServes) {
    const auto out = dir / "out";
    std::filesystem::create_directory(out);
    const std::vector<std::byte> bitmap = test::MakeBitmap({.width = 50, .height = 40});
    // Body size 0, which the format allows, and a bitmap that is compressed.
    for (const auto& [picture, error] :
         {std::pair{test::SheetBuilder().ChunkClaiming(0x100000, "IDXB", 0, bitmap), ""},
          std::pair{test::SheetBuilder().Image({.compression = 1}),
                    "[ｴﾗｰ] 画像ﾌｧｲﾙがWindows Bitmap形式ではありません\n(Level 1)\n"}}) {
        test::SheetBuilder built;
        built.SheetArea(2500, 9, 0, 0).Raw(picture.Bytes()).SubSheetArea(0, 0, 0);
        built.Building(0, 1, {{0, 0}, {1, 0}, {1, 1}});
        ASSERT_TRUE(built.WriteTo(sheet));
        const auto result =
            RunCli({"convert", sheet.string(), "--block", "1", "--out", out.string()});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, error);
        EXPECT_THAT(result.out, HasSubstr("09P0000P000000040003.geo」"));
    }
}

TEST_F(ConvertCommand, UnreadableSheetOrAbsentBlockFails) {
    const auto missing = RunCli({"convert", (dir / "none.tqb").string(), "--all"});
    EXPECT_EQ(missing.exitCode, 1);
    // The program's message first; the system's reason follows it.
    EXPECT_THAT(missing.err,
                ::testing::StartsWith("[ｴﾗｰ] 建物Orvikﾌｧｲﾙが読み込めません\n(Level 1)\n"));

    test::SheetBuilder only3 = test::StandardSheet(0, 0);
    only3.SubSheetArea(2, 800, 0);
    ASSERT_TRUE(only3.WriteTo(sheet));
    const auto absent =
        RunCli({"convert", sheet.string(), "--block", "1", "--out", dir.Path().string()});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_THAT(absent.err, HasSubstr("block 1 is not in the sheet"));
}

// A folder of sheets: two places, a sheet of another seed over the first
// place (whose blocks conflict with it), and a file that is no sheet.
class ConvertBatch : public ConvertCommand {
protected:
    void MakeFolder() {
        std::filesystem::create_directories(in);
        const auto sample = [&](const std::string& name, const std::string& origin,
                                const std::string& seed) {
            ASSERT_EQ(RunCli({"sample", (in / name).string(), "--origin", origin, "--seed", seed,
                              "--buildings", "4", "--dem", "5x4", "--texture", "8"})
                          .exitCode,
                      0);
        };
        sample("a.tqb", "-8000,-36000", "1");
        sample("B.TQB", "-6000,-36000", "1");
        sample("c.tqb", "-8000,-36000", "2");
        std::ofstream(in / "d.tqb", std::ios::binary) << "not a sheet";
    }

    test::CliResult Convert(const std::filesystem::path& out, const std::string& jobs) {
        std::filesystem::create_directories(out);
        return RunCli({"convert", in.string(), "--all", "--out", out.string(), "--jobs", jobs,
                       "--report", (out / "report.json").string()});
    }

    std::filesystem::path in = dir / "in";
};

TEST_F(ConvertBatch, FolderConvertsEverySheetInOrderAndReportsConflictsAndFailures) {
    MakeFolder();
    const auto result = Convert(dir / "out", "2");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out,
              "sheets: 4 (1 failed)\nblocks: 50 converted, 0 left out, 0 failed, 25 conflicts\n"
              "written: " +
                  result.out.substr(result.out.find("written: ") + 9));
    EXPECT_THAT(result.err,
                HasSubstr((in / "d.tqb").string() + ": the sheet holds no block to convert"));
    EXPECT_THAT(result.err, ::testing::Not(HasSubstr("\r")));  // no progress off a terminal

    std::ifstream reportFile(dir / "out" / "report.json");
    const auto report = nlohmann::json::parse(reportFile);
    EXPECT_EQ(report["summary"]["converted"], 50);
    EXPECT_EQ(report["summary"]["conflicts"], 25);
    std::vector<std::string> order;
    for (const auto& entry : report["sheets"]) {
        order.push_back(std::filesystem::path(entry["path"].get<std::string>()).filename());
    }
    EXPECT_THAT(order, ElementsAre("B.TQB", "a.tqb", "c.tqb", "d.tqb"));
    const auto& conflicting = report["sheets"][2]["blocks"];
    ASSERT_EQ(conflicting.size(), 25u);
    EXPECT_EQ(conflicting[0]["status"], "conflict");
    EXPECT_EQ(conflicting[0]["messages"][0],
              "not written: " + (in / "a.tqb").string() + " wrote this output name first");
    EXPECT_EQ(report["sheets"][1]["blocks"][0]["status"], "converted");
    EXPECT_EQ(report["sheets"][3]["status"], "failed");

    // The first sheet over a place wrote its files; the later one overwrote none.
    const auto single = dir / "single";
    std::filesystem::create_directories(single);
    ASSERT_EQ(RunCli({"convert", (in / "a.tqb").string(), "--block", "1", "--out", single.string()})
                  .exitCode,
              0);
    const std::string name = std::string(kBlock1) + ".geo";
    EXPECT_TRUE(ReadWhole(dir / "out" / name) == ReadWhole(single / name));
    EXPECT_EQ(report["sheets"][1]["blocks"][0]["bytes"],
              std::filesystem::file_size(dir / "out" / name) +
                  std::filesystem::file_size(dir / "out" / (std::string(kBlock1) + ".sgi")));
}

TEST_F(ConvertBatch, OneJobAndTwoJobsWriteTheSameFilesAndReport) {
    MakeFolder();
    ASSERT_EQ(Convert(dir / "one", "1").exitCode, 1);
    ASSERT_EQ(Convert(dir / "two", "2").exitCode, 1);
    const auto entries = Entries(dir / "one");
    ASSERT_EQ(entries.size(), 101u);
    EXPECT_EQ(Entries(dir / "two"), entries);
    for (const std::string& name : entries) {
        if (name != "report.json") {
            EXPECT_TRUE(ReadWhole(dir / "one" / name) == ReadWhole(dir / "two" / name)) << name;
        }
    }
    auto one = nlohmann::json::parse(ReadWhole(dir / "one" / "report.json"));
    auto two = nlohmann::json::parse(ReadWhole(dir / "two" / "report.json"));
    one["summary"].erase("seconds");
    two["summary"].erase("seconds");
    EXPECT_EQ(one, two);
}

// A run killed part-way leaves whole files or none, and temporaries: the
// resumed run keeps the blocks whose files are all there and newer than their
// sheet, writes the rest and ends with the files of one run.
TEST_F(ConvertBatch, ResumeKeepsCompleteBlocksAndWritesTheRest) {
    MakeFolder();
    ASSERT_EQ(Convert(dir / "whole", "2").exitCode, 1);
    const auto out = dir / "out";
    ASSERT_EQ(Convert(out, "2").exitCode, 1);
    const std::string geo = std::string(kBlock1) + ".geo";
    const std::string sgi = "09M0076M034800040003.sgi";  // a.tqb's block 2
    std::filesystem::remove(out / geo);                  // the kill came before it
    std::filesystem::last_write_time(
        out / sgi, std::filesystem::last_write_time(in / "a.tqb") - std::chrono::hours(1));
    std::ofstream(out / ".vesk-k1ll3d00.tmp") << "half a file";
    std::ofstream(out / ".vesk-notmine.tmp") << "someone else's";

    const auto resumed = RunCli({"convert", in.string(), "--all", "--out", out.string(), "--jobs",
                                 "2", "--resume", "--report", (out / "report.json").string()});
    EXPECT_EQ(resumed.exitCode, 1);  // the conflicts and the file that is no sheet, as before
    EXPECT_THAT(resumed.out,
                HasSubstr("blocks: 2 converted, 0 left out, 0 failed, 25 conflicts, 48 kept\n"));
    const auto report = nlohmann::json::parse(ReadWhole(out / "report.json"));
    EXPECT_EQ(report["summary"]["kept"], 48);
    EXPECT_EQ(report["summary"]["converted"], 2);
    EXPECT_EQ(report["sheets"][1]["blocks"][0]["status"], "converted");
    EXPECT_EQ(report["sheets"][1]["blocks"][1]["status"], "converted");
    EXPECT_EQ(report["sheets"][1]["blocks"][2]["status"], "kept");
    std::vector<std::string> entries = Entries(out);
    EXPECT_THAT(entries, ::testing::Contains(".vesk-notmine.tmp"));
    std::erase(entries, ".vesk-notmine.tmp");
    EXPECT_EQ(entries, Entries(dir / "whole"));
    for (const std::string& name : entries) {
        if (name != "report.json") {
            EXPECT_TRUE(ReadWhole(out / name) == ReadWhole(dir / "whole" / name)) << name;
        }
    }
}

// The writers' diagnostics that a job collected keep their codes, beside the
// batch's own, and what the batch shows stays the same.
TEST_F(ConvertBatch, VerboseLogsTheDiagnosticsOfEverySheetAndBlockWithTheirCodes) {
    MakeFolder();
    // The simulator's folders that the environment file names are not there.
    const auto home = dir / "sim";
    const auto env = dir / "ksim.env";
    std::ofstream(env, std::ios::binary)
        << "HOME_PATH=" << home.string() << ";\nFILE_PATH_GEOMETRY=geo;\nFILE_PATH_TEXTURE=tex;\n";
    const auto sgi = home / "tex" / "sgi";
    const std::vector<std::string> convert{"convert", in.string(), "--all"};
    std::vector<std::string> verbose{"--verbose"};
    verbose.insert(verbose.end(), convert.begin(), convert.end());
    const auto quiet = RunCli(convert, {{"KSIM_ENV", env.string()}});
    const auto logged = RunCli(verbose, {{"KSIM_ENV", env.string()}});
    EXPECT_EQ(logged.exitCode, 1);
    EXPECT_THAT(logged.err, HasSubstr("vesk-cli: E3006 the file " + (sgi / kBlock1).string() +
                                      ".sgi cannot be created: in the folder " + sgi.string() +
                                      ": No such file or directory\n"));
    EXPECT_THAT(logged.err, HasSubstr("vesk-cli: E6004 the sheet holds no block to convert\n"));
    EXPECT_THAT(quiet.err, ::testing::Not(HasSubstr("E3006")));
    EXPECT_THAT(quiet.err, HasSubstr(" block 1 (" + std::string(kBlock1) + "): 「" +
                                     (sgi / kBlock1).string() + ".sgi」ﾌｧｲﾙが作成できません\n「" +
                                     sgi.string() + "」ﾌｫﾙﾀﾞ: No such file or directory\n"));
    std::string shown;
    std::istringstream lines(logged.err);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("vesk-cli: ")) {
            shown += line + "\n";
        }
    }
    EXPECT_EQ(shown, quiet.err);
}

TEST_F(ConvertBatch, UnknownSimulatorFoldersStopTheBatchBeforeAnySheet) {
    MakeFolder();
    const auto result = RunCli({"convert", in.string(), "--all"}, {{"KSIM_ENV", ""}});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("環境変数「KSIM_ENV」等を確認して下さい"));
    EXPECT_EQ(result.out, "");
}

}  // namespace
}  // namespace vesk
