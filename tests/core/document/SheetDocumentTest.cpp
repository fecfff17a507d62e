// The document's operations around a loaded sheet: the open command, selection,
// hit testing and what clearing and resetting keep.
#include <gtest/gtest.h>

#include <fstream>

#include "RecordingUi.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "document/CMyVeskDoc.h"
#include "document/SubSheetSelection.h"

namespace vesk {
namespace {

using test::SheetBuilder;
using test::StandardSheet;

class SheetDocument : public ::testing::Test {
protected:
    void SetUp() override {
        // 25 sub-sheets on a 500 x 375 image: each 100 x 75 pixels.
        SheetBuilder sheet = StandardSheet(0, 0);
        for (int n = 0; n < kSubSheetCount; ++n) {
            sheet.SubSheetArea(n, 400.0f * static_cast<float>(n % 5),
                               300.0f * static_cast<float>(4 - n / 5));
        }
        path = dir / "grid.tqb";
        ASSERT_TRUE(sheet.WriteTo(path));
        doc.OpenSheetFile(path);
        ui.Clear();
    }

    test::TempDir dir;
    std::filesystem::path path;
    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc{ui, imageSize};
};

TEST(SheetDocumentConstruction, StartsUntitledWithNothingSelectedAndBothSwitchesOn) {
    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc(ui, imageSize);
    EXPECT_EQ(doc.Title(), "無題");
    EXPECT_EQ(doc.SelectedSubSheet(), -1);
    EXPECT_FALSE(doc.IsSheetLoaded());
    EXPECT_EQ(doc.DisplayExtentPixels().width, 10);
    EXPECT_EQ(doc.DisplayExtentPixels().height, 10);
    EXPECT_TRUE(doc.ShowsBlockNames());
    EXPECT_TRUE(doc.ShowsPrefectureNames());
    EXPECT_FALSE(doc.SheetAvailable());
    EXPECT_FALSE(doc.SurveyMapAvailable());
    EXPECT_EQ(doc.SurveyZone(), 0);
    doc.OnNewDocument();
    EXPECT_EQ(ui.calls.back(), "title 無題");
}

TEST_F(SheetDocument, OpeningSetsTheSheetStateUnderTheWaitCursor) {
    doc.OpenSheetFile(path);
    EXPECT_TRUE(doc.IsSheetLoaded());
    EXPECT_TRUE(doc.SheetAvailable());
    EXPECT_FALSE(doc.SurveyMapAvailable());
    EXPECT_EQ(doc.SheetPath(), path);
    EXPECT_EQ(ui.calls.front(), "wait on");
    EXPECT_EQ(ui.calls.back(), "wait off");
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(SheetDocument, EveryOpenRepaintsTheViewWhateverItRead) {
    SheetBuilder badBitmap;
    badBitmap.SheetArea(2500, 9, 0, 0)
        .Chunk(0x100000, "IDXB", std::vector<std::byte>(8, std::byte{0x58}));
    ASSERT_TRUE(badBitmap.WriteTo(dir / "bad.tqb"));
    ASSERT_TRUE(SheetBuilder().WriteTo(dir / "empty.tqb"));
    for (const auto& file : {dir / "missing.tqb", dir / "bad.tqb", dir / "empty.tqb", path}) {
        ui.Clear();
        doc.SelectSubSheet(3, true);
        doc.OpenSheetFile(file);
        // Asked for after the load, so the repaint sees the cleared document.
        ASSERT_GE(ui.calls.size(), 3u) << file;
        EXPECT_EQ(ui.calls[ui.calls.size() - 2], "invalidate") << file;
        EXPECT_EQ(doc.SelectedSubSheet(), -1);
    }
}

TEST_F(SheetDocument, CancelledOpenDialogChangesNothing) {
    doc.SelectSubSheet(3, true);
    doc.OnOpenSheet();
    EXPECT_EQ(ui.calls, std::vector<std::string>{"choose sheet file"});
    EXPECT_EQ(doc.SelectedSubSheet(), 3);
    EXPECT_TRUE(doc.IsSheetLoaded());
    EXPECT_EQ(doc.Title(), "テスト");
}

TEST_F(SheetDocument, OpenCommandOpensTheChosenFile) {
    doc.SelectSubSheet(3, true);
    ui.sheetFileAnswers.push_back(path);
    doc.OnOpenSheet();
    EXPECT_EQ(doc.SelectedSubSheet(), -1);
    EXPECT_FALSE(doc.IsSubSheetSelected(3));
}

TEST_F(SheetDocument, HitTestTakesLeftAndTopEdgesButNotRightAndBottom) {
    EXPECT_EQ(doc.HitTestSubSheet(0, 0), 0);
    EXPECT_EQ(doc.HitTestSubSheet(99, 74), 0);
    EXPECT_EQ(doc.HitTestSubSheet(100, 0), 1);
    EXPECT_EQ(doc.HitTestSubSheet(0, 75), 5);
    EXPECT_EQ(doc.HitTestSubSheet(499, 374), 24);
    EXPECT_FALSE(doc.HitTestSubSheet(500, 0));
    EXPECT_FALSE(doc.HitTestSubSheet(0, 375));
    EXPECT_FALSE(doc.HitTestSubSheet(-1, 10));
}

TEST_F(SheetDocument, SelectingOffClearsTheSelectionWhateverWasSelected) {
    doc.SelectSubSheet(3, true);
    EXPECT_EQ(doc.SelectedSubSheet(), 3);
    EXPECT_TRUE(doc.IsSubSheetSelected(3));
    doc.SelectSubSheet(3, false);
    EXPECT_EQ(doc.SelectedSubSheet(), -1);
    EXPECT_FALSE(doc.IsSubSheetSelected(3));
    doc.SelectSubSheet(7, true);
    doc.SelectSubSheet(25, true);
    doc.SelectSubSheet(static_cast<unsigned>(-1), false);
    EXPECT_EQ(doc.SelectedSubSheet(), 7);
}

TEST_F(SheetDocument, ResetKeepsAreasAndPositionsButDropsWhatTheLoadFound) {
    SheetBuilder sheet = StandardSheet(0, 0);
    sheet.SubSheetArea(2, 800, 1200).Dem(1, 1, 1, 1, {0}).Building(0, 1, {{0, 0}});
    ASSERT_TRUE(sheet.WriteTo(path));
    doc.OpenSheetFile(path);
    const SubSheetRecord before = doc.CopySubSheetRecord(2);
    doc.SelectSubSheet(2, true);
    doc.ResetSheetState();
    const SubSheetRecord after = doc.CopySubSheetRecord(2);
    EXPECT_EQ(after.buildingCount, 0);
    EXPECT_TRUE(after.buildingPositions.empty());
    EXPECT_FALSE(after.hasDem);
    EXPECT_FALSE(doc.IsSubSheetSelected(2));
    EXPECT_TRUE(after.rect.IsEmpty());
    EXPECT_EQ(after.demPosition, before.demPosition);
    EXPECT_EQ(after.originX, 800.0f);
    EXPECT_EQ(after.zone, 9);
    EXPECT_EQ(doc.Title(), "テスト");
    EXPECT_FALSE(doc.IsSheetLoaded());
}

TEST_F(SheetDocument, ClearingEmptiesTheSurveyList) {
    doc.Survey().push_back(SurveyEntry{{}, "x", "y"});
    doc.OpenSheetFile(dir / "absent.tqb");
    EXPECT_TRUE(doc.Survey().empty());
}

TEST_F(SheetDocument, RecordCopiesAreIndependentOfTheDocument) {
    SubSheetRecord copy = doc.CopySubSheetRecord(4);
    copy.rect.left = 12345;
    EXPECT_NE(doc.CopySubSheetRecord(4).rect.left, 12345);
    EXPECT_EQ(doc.CopySubSheetRecord(99).buildingCount, 0);
}

TEST_F(SheetDocument, SwitchesInvertAndRepaint) {
    doc.ToggleBlockNames();
    EXPECT_FALSE(doc.ShowsBlockNames());
    doc.TogglePrefectureNames();
    doc.TogglePrefectureNames();
    EXPECT_TRUE(doc.ShowsPrefectureNames());
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"invalidate", "invalidate", "invalidate"}));
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

TEST_F(SheetDocument, PressTogglesTheSubSheetUnderItAndKeepsOneSelected) {
    EXPECT_TRUE(PressOnSheetPicture(doc, 250, 110));  // sub-sheet 7
    EXPECT_EQ(doc.SelectedSubSheet(), 7);
    EXPECT_TRUE(PressOnSheetPicture(doc, 299, 150));  // sub-sheet 12, on its top edge
    EXPECT_EQ(doc.SelectedSubSheet(), 12);
    EXPECT_FALSE(doc.IsSubSheetSelected(7));
    EXPECT_TRUE(PressOnSheetPicture(doc, 200, 150));  // 12 again: off
    EXPECT_EQ(doc.SelectedSubSheet(), -1);
    for (int n = 0; n < kSubSheetCount; ++n) {
        EXPECT_FALSE(doc.IsSubSheetSelected(n)) << n;
    }
    EXPECT_EQ(std::count(ui.calls.begin(), ui.calls.end(), "invalidate"), 3);
}

TEST_F(SheetDocument, PressOutsideThePictureOrOnTheSurveyMapChangesNothing) {
    EXPECT_FALSE(PressOnSheetPicture(doc, 500, 10));
    EXPECT_FALSE(PressOnSheetPicture(doc, 10, 375));
    doc.SetSurveyZone(9);
    EXPECT_FALSE(PressOnSheetPicture(doc, 10, 10));
    EXPECT_EQ(doc.SelectedSubSheet(), -1);
    EXPECT_TRUE(ui.calls.empty());
}

// The caption names what is open; the title stays as the load left it, the
// previous sheet's name included.
TEST_F(SheetDocument, CaptionNamesASheetWithoutANameByItsFile) {
    EXPECT_EQ(doc.CaptionName(), "テスト");
    SheetBuilder unnamed;
    unnamed.SheetArea(2500, 9, 0, 0);
    ASSERT_TRUE(unnamed.WriteTo(dir / "unnamed.tqb"));
    ASSERT_TRUE(SheetBuilder().WriteTo(dir / "empty.tqb"));
    std::ofstream(dir / "notes.txt") << "not a sheet\n";
    for (const char* file : {"unnamed.tqb", "empty.tqb", "notes.txt"}) {
        doc.OpenSheetFile(dir / file);
        EXPECT_EQ(doc.CaptionName(), file);
        EXPECT_EQ(doc.Title(), "テスト");
    }
    doc.OpenSheetFile(path);
    EXPECT_EQ(doc.CaptionName(), "テスト");
    doc.OpenSheetFile(dir / "missing.tqb");
    EXPECT_EQ(doc.CaptionName(), "無題");
}

// The load passes over a file without any sheet data in silence, as the
// command line's info shows it; the program's open says so, naming the file.
TEST_F(SheetDocument, ProgramsOpenTellsOfAFileWithoutSheetData) {
    ASSERT_TRUE(SheetBuilder().WriteTo(dir / "empty.tqb"));
    std::ofstream(dir / "notes.txt") << "not a sheet\n";
    SheetBuilder areaOnly;
    areaOnly.SheetArea(2500, 9, 0, 0);
    ASSERT_TRUE(areaOnly.WriteTo(dir / "area.tqb"));
    for (const char* file : {"empty.tqb", "notes.txt"}) {
        ui.Clear();
        doc.OpenSheetFile(dir / file);
        EXPECT_TRUE(doc.FoundNoSheetData());
        EXPECT_TRUE(ui.messages.empty());
        doc.OpenSheetForUser(dir / file);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, std::string("図葉ﾃﾞｰﾀが見つかりません\n「") + file + "」");
        EXPECT_EQ(ui.messages[0].caption, "ﾒｯｾｰｼﾞ");
    }
    for (const auto& file : {path, dir / "area.tqb", dir / "missing.tqb"}) {
        ui.Clear();
        doc.OpenSheetForUser(file);
        EXPECT_FALSE(doc.FoundNoSheetData() && doc.IsSheetLoaded()) << file;
        for (const std::string& text : ui.MessageTexts()) {
            EXPECT_EQ(text.find("図葉ﾃﾞｰﾀ"), std::string::npos) << file;
        }
    }
}

TEST_F(SheetDocument, PointedSubSheetGivesItsOutputNameAndThePlaneCoordinates) {
    // Sub-sheet 7 spans x 800 to 1200 m and y 900 to 1200 m, pixels 200 to 299 and 75 to 149.
    const auto pointed = SubSheetAt(doc, 200, 149);
    ASSERT_TRUE(pointed);
    EXPECT_EQ(pointed->number, 7);
    EXPECT_EQ(pointed->outputName, "09P0008P000900040003");
    EXPECT_DOUBLE_EQ(pointed->x, 802.0);
    EXPECT_DOUBLE_EQ(pointed->y, 902.0);
    EXPECT_FALSE(SubSheetAt(doc, 500, 10));
    doc.SetSurveyZone(9);
    EXPECT_FALSE(SubSheetAt(doc, 200, 149));
}

TEST_F(SheetDocument, DeselectingClearsTheSelectionAndRepaintsOnlyWhenThereWasOne) {
    EXPECT_FALSE(DeselectSubSheet(doc));
    EXPECT_TRUE(ui.calls.empty());
    ASSERT_TRUE(PressOnSheetPicture(doc, 250, 110));
    EXPECT_TRUE(DeselectSubSheet(doc));
    EXPECT_EQ(doc.SelectedSubSheet(), -1);
    EXPECT_FALSE(doc.IsSubSheetSelected(7));
    EXPECT_EQ(std::count(ui.calls.begin(), ui.calls.end(), "invalidate"), 2);
}

}  // namespace
}  // namespace vesk
