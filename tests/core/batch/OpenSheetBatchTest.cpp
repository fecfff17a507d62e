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

}  // namespace
}  // namespace vesk
