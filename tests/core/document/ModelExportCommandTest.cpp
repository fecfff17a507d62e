// The program's 3D model export of the selected block: its dialogs, files and messages.
#include "document/ModelExportCommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <regex>

#include "ConvertTestSupport.h"
#include "RecordingUi.h"
#include "SgiTestFile.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "document/CMyVeskDoc.h"

namespace vesk {
namespace {

using test::FolderEntries;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr std::string_view kName = "09M0008P000100040003";

class ModelExportCommandTest : public ::testing::Test {
protected:
    // Sub-sheet 6 of a zone-9 sheet: a square building, a self-crossing one and
    // a 2 x 2 DEM; loaded and selected.
    void SetUp() override {
        test::SheetBuilder sheet = test::StandardSheet(-1250.0f, -180.0f);
        sheet.SubSheetArea(6, -850.0f, 120.0f);
        sheet.Building(0.0f, 12.5f, {{10, 20}, {30, 20}, {30, 40}, {10, 40}});
        sheet.Building(0.0f, 8.0f, {{50, 50}, {60, 60}, {60, 50}, {50, 60}});
        sheet.Dem(2, 2, 400, 300, {1, 2, 3, 4});
        ASSERT_TRUE(sheet.WriteTo(sheetPath));
        doc.OpenSheetFile(sheetPath);
        doc.SelectSubSheet(6, true);
        ui.Clear();
    }

    test::TempDir dir;
    std::filesystem::path sheetPath = dir / "sheet.tqb";
    test::RecordingUi ui;
    CMyVeskDoc doc{ui};
};

TEST_F(ModelExportCommandTest, WritesTheFormatChosenIntoTheFolderAndSaysWhatItHolds) {
    std::filesystem::create_directory(dir / "out");
    ui.modelExportAnswers.push_back(ModelExportSettings{ExportFormat::kObj, {true, true, true}});
    ui.folderAnswers.push_back(dir / "out");
    EXPECT_TRUE(RunModelExportCommand(doc));
    const std::string name(kName);
    EXPECT_THAT(FolderEntries(dir / "out"), ElementsAre(name + ".mtl", name + ".obj"));
    // A square prism is 12 triangles, two triangles per cell of the 2 x 2 grid.
    EXPECT_THAT(
        ui.MessageTexts(),
        ElementsAre("3Dﾓﾃﾞﾙを書き出しました。\nﾌｧｲﾙ名「" + name + ".mtl」\nﾌｧｲﾙ名「" + name +
                    ".obj」\n建物 1件\n形状が正しくないため除外した建物 1件\n三角形 14"));
    EXPECT_EQ(ui.conversionOffers.back().texture, false);
}

// A ground grid with a height that is no number leaves the terrain out, and
// the texture with it though its image reads well: each is named in Japanese
// with its own reason, not the ortho image blamed for both.
TEST_F(ModelExportCommandTest, EachPartLeftOutIsNamedWithItsOwnReasonInJapanese) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    test::SheetBuilder sheet = test::StandardSheet(-1250.0f, -180.0f);
    sheet.SubSheetArea(6, -850.0f, 120.0f);
    sheet.Building(0.0f, 12.5f, {{10, 20}, {30, 20}, {30, 40}, {10, 40}});
    sheet.Dem(2, 2, 400, 300, {1, nan, 3, 4});
    sheet.Ortho(test::SgiFile(false, 2, 2, 3).With([](int, int, int) { return std::uint8_t{90}; }));
    ASSERT_TRUE(sheet.WriteTo(sheetPath));
    doc.OpenSheetFile(sheetPath);
    doc.SelectSubSheet(6, true);
    ui.Clear();
    std::filesystem::create_directory(dir / "out");
    ui.modelExportAnswers.push_back(ModelExportSettings{ExportFormat::kGlb, {true, true, true}});
    ui.folderAnswers.push_back(dir / "out");

    EXPECT_TRUE(RunModelExportCommand(doc));
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& text = ui.messages[0].text;
    EXPECT_THAT(text, HasSubstr("\n地形ﾃﾞｰﾀ(DEM)に数値でない値があるため、地形を除外しました\n"
                                "ﾃｸｽﾁｬを貼る地形がないため、ﾃｸｽﾁｬを除外しました"));
    EXPECT_THAT(text, Not(HasSubstr("ｵﾙｿ画像")));
    // Nothing English: the only letters are the file's name and the program's
    // name of the grid, DEM.
    const std::string file = std::string(kName) + R"(\.glb)";
    const std::string rest = std::regex_replace(text, std::regex(file + "|DEM"), "");
    EXPECT_FALSE(std::regex_search(rest, std::regex("[A-Za-z]{2,}"))) << text;
}

TEST_F(ModelExportCommandTest, CancelWritesNothingAndAMissingFolderIsACreateError) {
    ui.modelExportAnswers.push_back(std::nullopt);
    EXPECT_FALSE(RunModelExportCommand(doc));
    EXPECT_THAT(ui.calls, ElementsAre("model export dialog"));

    ui.Clear();
    ui.modelExportAnswers.push_back(ModelExportSettings{ExportFormat::kGlb, {true, false, false}});
    ui.folderAnswers.push_back(dir / "missing");
    EXPECT_FALSE(RunModelExportCommand(doc));
    const std::string path = (dir / "missing" / (std::string(kName) + ".glb")).string();
    EXPECT_THAT(ui.MessageTexts(), ElementsAre("「" + path + "」ﾌｧｲﾙが作成できません"));
    EXPECT_EQ(ui.messages.back().caption, "ｴﾗｰ");
}

// The check calls such a block error 1309; the program asks nothing and
// writes nothing for it.
TEST_F(ModelExportCommandTest, ABlockWhoseOriginIsNoNumberIsRefusedBeforeAnyDialog) {
    test::SheetBuilder sheet = test::StandardSheet(-1250.0f, -180.0f);
    sheet.SubSheetArea(6, std::numeric_limits<float>::quiet_NaN(), 120.0f);
    sheet.Building(0.0f, 12.5f, {{10, 20}, {30, 20}, {30, 40}, {10, 40}});
    ASSERT_TRUE(sheet.WriteTo(sheetPath));
    doc.OpenSheetFile(sheetPath);
    doc.SelectSubSheet(6, true);
    ui.Clear();
    ui.modelExportAnswers.push_back(ModelExportSettings{ExportFormat::kGlb, {true, true, true}});
    ui.folderAnswers.push_back(dir / "out");

    EXPECT_FALSE(RunModelExportCommand(doc));
    EXPECT_THAT(ui.MessageTexts(),
                ElementsAre("ﾃﾞｰﾀに誤りがあるため、区画を除外しました(ｴﾗｰ 1309)"));
    EXPECT_EQ(ui.modelExportAnswers.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

}  // namespace
}  // namespace vesk
