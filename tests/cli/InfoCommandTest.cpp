#include <gtest/gtest.h>

#include "CliRunner.h"
#include "SheetBuilder.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::RunCli;
using test::SheetBuilder;

class InfoCommand : public ::testing::Test {
protected:
    std::string Write(const SheetBuilder& sheet) {
        const auto path = dir / "sheet.tqb";
        EXPECT_TRUE(sheet.WriteTo(path));
        return path.string();
    }

    test::TempDir dir;
};

TEST_F(InfoCommand, JsonHasTheContractShape) {
    SheetBuilder sheet;
    sheet.SheetArea(2500, 9, -850.0f, 120.0f)
        .Name("\x90\xE7\x91\xE3\x93\x63")  // 千代田
        .Image({.width = 500, .height = 375})
        .SubSheetArea(0, -850.0f, 1320.0f)
        .Building(0, 10, {{0, 0}, {1, 0}, {1, 1}})
        .Dem(1, 1, 10, 10, {3.5f})
        .Ortho({})
        .SubSheetArea(13, -450.0f + 0.1f, 720.0f);
    const std::string path = Write(sheet);
    const auto result = RunCli({"info", path, "--json"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out,
              "{\"file\": \"" + path +
                  "\",\n"
                  " \"opened\": true,\n"
                  " \"messages\": [],\n"
                  " \"title\": \"千代田\",\n"
                  " \"area\": {\"scale\": 2500, \"zone\": 9, \"x\": -850.0, \"y\": 120.0, "
                  "\"width\": 2000.0, \"height\": 1500.0},\n"
                  " \"image\": {\"width\": 500, \"height\": 375, \"bits\": 24},\n"
                  " \"subsheets\": [\n"
                  "  {\"number\": 0, \"zone\": 9, \"x\": -850.0, \"y\": 1320.0, \"width\": 400.0, "
                  "\"height\": 300.0, \"buildings\": 1, \"dem\": true, \"ortho\": true, "
                  "\"rect\": [0, 0, 100, 75], \"output_name\": \"09M0008P001300040003\"},\n"
                  "  {\"number\": 13, \"zone\": 9, \"x\": -449.9, \"y\": 720.0, \"width\": 400.0, "
                  "\"height\": 300.0, \"buildings\": 0, \"dem\": false, \"ortho\": false, "
                  "\"rect\": [100, 150, 200, 225], \"output_name\": \"09M0004P000700040003\"}]}\n");
}

TEST_F(InfoCommand, MessagesAndMissingPartsShowInJson) {
    SheetBuilder sheet;
    sheet.SheetArea(25000, 6, 0, 0).SubSheetArea(30, 0, 0);
    const auto result = RunCli({"info", Write(sheet), "--json"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("\"messages\": [\"1/2500縮尺のﾃﾞｰﾀではありません\\n(Level 1)\", "
                              "\"区画番号が範囲外です\\n(Level 2)\"]"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"image\": null"), std::string::npos);
    EXPECT_NE(result.out.find("\"subsheets\": []"), std::string::npos);
    EXPECT_NE(result.out.find("\"title\": \"無題\""), std::string::npos);
}

TEST_F(InfoCommand, UnopenableFileExitsOneWithTheFileMessage) {
    const auto result = RunCli({"info", (dir / "none.tqb").string(), "--json"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.out.find("\"opened\": false"), std::string::npos);
    EXPECT_NE(result.out.find("建物Orvikﾌｧｲﾙが読み込めません\\n(Level 1)"), std::string::npos);
    EXPECT_NE(result.out.find("\"area\": null"), std::string::npos);
}

TEST_F(InfoCommand, PlainOutputNamesTheBlocksAsTheMapShowsThem) {
    SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 0, 0).Image({}).SubSheetArea(24, 1600, 0);
    const auto result = RunCli({"info", Write(sheet)});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("  25  origin 1600.0,0.0"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace vesk
