// The conversion of every block of the open sheet: what it asks and where its files go.
#include "batch/OpenSheetBatch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "RecordingUi.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "document/CMyVeskDoc.h"

namespace vesk {
namespace {

using ::testing::ElementsAre;

class OpenSheetBatchTest : public ::testing::Test {
protected:
    // Block 1 with a building only, block 7 with a DEM only; block 2 has nothing.
    void LoadSheet() {
        test::SheetBuilder sheet = test::StandardSheet(-1250.0f, -180.0f);
        sheet.SubSheetArea(0, -850.0f, 120.0f)
            .Building(0.0f, 12.5f, {{10, 20}, {30, 20}, {30, 40}});
        sheet.SubSheetArea(1, -450.0f, 120.0f);
        sheet.SubSheetArea(6, 450.0f, -180.0f).Dem(2, 2, 10, 5, {1, 2, 3, 4});
        ASSERT_TRUE(sheet.WriteTo(sheetPath));
        doc.OpenSheetFile(sheetPath);
        ASSERT_TRUE(doc.IsSheetLoaded());
        ui.Clear();
    }

    std::optional<OpenSheetBatch> Prepare() {
        return PrepareOpenSheetBatch(doc, [this](const char*) { return ksimEnv; });
    }

    test::TempDir dir;
    std::filesystem::path sheetPath = dir / "sheet.tqb";
    std::optional<std::string> ksimEnv;
    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc{ui, imageSize};
};

TEST_F(OpenSheetBatchTest, OffersWhatAnyBlockHoldsAndConvertsEachBlockIntoTheChosenFolder) {
    LoadSheet();
    ui.conversionAnswers.push_back(ConversionChoices{true, true, false, true});
    ui.folderAnswers.push_back(dir.Path());
    const auto batch = Prepare();
    ASSERT_TRUE(batch);
    ASSERT_EQ(ui.conversionOffers.size(), 1u);
    EXPECT_TRUE(ui.conversionOffers[0].buildings);
    EXPECT_TRUE(ui.conversionOffers[0].terrain);
    EXPECT_FALSE(ui.conversionOffers[0].texture);
    EXPECT_THAT(ui.MessageTexts(),
                ElementsAre("「" + dir.Path().string() + "」ﾌｫﾙﾀﾞにﾃﾞｰﾀを保存します"));
    EXPECT_THAT(batch->names, ElementsAre("09M0008P000100040003", "09M0004P000100040003",
                                          "09P0004M000100040003"));

    BatchProgress progress;
    const std::atomic<bool> cancel{false};
    const BatchSummary summary = RunConversionBatch(batch->request, progress, cancel).Summary();
    EXPECT_EQ(summary.converted, 2u);
    EXPECT_EQ(summary.leftOut, 1u);
    EXPECT_EQ(summary.failed, 0u);
    EXPECT_TRUE(std::filesystem::exists(dir / "09M0008P000100040003.geo"));
    EXPECT_TRUE(std::filesystem::exists(dir / "09P0004M000100040003.geo"));
    EXPECT_FALSE(std::filesystem::exists(dir / "09M0004P000100040003.geo"));
}

TEST_F(OpenSheetBatchTest, UnusableEnvironmentShowsTheErrorAndGivesNothing) {
    LoadSheet();
    ui.conversionAnswers.push_back(ConversionChoices{true, true, false, false});
    EXPECT_FALSE(Prepare());
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(
        ui.messages.back().text,
        "「景観ｼﾐｭﾚｰﾀ」が使用しているﾌｫﾙﾀﾞが分かりません\n環境変数「KSIM_ENV」等を確認して下さい");
}

TEST_F(OpenSheetBatchTest, NoSheetOrACancelledDialogAsksNothingFurther) {
    EXPECT_FALSE(Prepare());
    EXPECT_TRUE(ui.conversionOffers.empty());
    LoadSheet();
    ui.conversionAnswers.push_back(std::nullopt);
    ui.folderAnswers.push_back(dir.Path());
    EXPECT_FALSE(Prepare());
    EXPECT_EQ(ui.folderAnswers.size(), 1u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(OpenSheetBatchSummaryTest, CountsEachOutcomeAndShowsTheFirstFailuresOnly) {
    BatchResult result;
    result.cancelled = true;
    SheetOutcome& sheet = result.sheets.emplace_back();
    sheet.blocks.push_back({1, "A", BlockStatus::kConverted, 10, {}});
    sheet.blocks.push_back({2, "B", BlockStatus::kLeftOut, 0, {"nothing"}});
    sheet.blocks.push_back({3, "C", BlockStatus::kFailed, 0, {"disk full", "more"}});
    sheet.blocks.push_back({4, "D", BlockStatus::kConflict, 0, {"same name"}});
    sheet.blocks.push_back({5, "E", BlockStatus::kFailed, 0, {}});
    sheet.blocks.push_back({6, "F", BlockStatus::kFailed, 0, {"x"}});
    sheet.blocks.push_back({7, "G", BlockStatus::kFailed, 0, {"y"}});
    EXPECT_EQ(OpenSheetBatchSummary(result, 10),
              "全区画の変換をｷｬﾝｾﾙしました。\n変換した区画: 1\nﾃﾞｰﾀのない区画: 1\n"
              "失敗した区画: 5\n変換していない区画: 3\n区画3「C」: disk full\n"
              "区画4「D」: 前の区画と出力名が同じため書き出していません\n区画5「E」\n"
              "ほか2区画が失敗しました");

    // A sheet that cannot be read again: the document's reason, not the core's English one.
    SheetOutcome& unreadable = result.sheets.emplace_back();
    unreadable.failed = true;
    unreadable.messages = {"建物ﾌｧｲﾙが読み込めません", "the sheet could not be opened"};
    EXPECT_THAT(OpenSheetBatchSummary(result, 10),
                ::testing::HasSubstr("\nｼｰﾄを読み直せませんでした: 建物ﾌｧｲﾙが読み込めません\n"));

    result.sheets.resize(1);
    result.cancelled = false;
    result.sheets[0].blocks.resize(2);
    EXPECT_EQ(OpenSheetBatchSummary(result, 2),
              "全区画の変換が終わりました。\n変換した区画: 1\nﾃﾞｰﾀのない区画: 1\n失敗した区画: 0");
}

}  // namespace
}  // namespace vesk
