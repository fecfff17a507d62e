// The document's survey command from the folder chooser to the survey map,
// and the opening of a surveyed sheet.
#include <gtest/gtest.h>

#include "RecordingUi.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "document/CMyVeskDoc.h"
#include "survey/SurveyMapGeometry.h"

namespace vesk {
namespace {

using test::StandardSheet;

constexpr std::string_view kNoSheetFiles = "*.tqbﾌｧｲﾙが見つかりません";

class SurveyDocument : public ::testing::Test {
protected:
    void SetUp() override {
        test::SheetBuilder tokyo;
        tokyo.SheetArea(2500, 9, 0, 0).Name("\x93\x8c\x8b\x9e").Image();
        ASSERT_TRUE(tokyo.WriteTo(dir / "b.tqb"));
        ASSERT_TRUE(StandardSheet(-2000, 0, 9).WriteTo(dir / "A.TQB"));
        ASSERT_TRUE(StandardSheet(50000, -20000, 7).WriteTo(dir / "c.tqb"));
        std::filesystem::create_directory(dir / "empty");
    }

    // Runs the command with the answers given; an empty answer cancels.
    void Survey(std::optional<std::filesystem::path> folder, std::optional<int> zone) {
        ui.Clear();
        ui.folderAnswers.push_back(std::move(folder));
        ui.zoneAnswers.push_back(zone);
        doc.OnSurvey();
    }

    test::TempDir dir;
    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc{ui, imageSize};
};

TEST_F(SurveyDocument, CancelledFolderChoiceChangesNothing) {
    Survey(dir.Path(), 9);
    const std::uint64_t generation = doc.SurveyGeneration();
    Survey(std::nullopt, 6);
    EXPECT_EQ(ui.calls, std::vector<std::string>{"choose folder"});
    EXPECT_EQ(doc.Survey().size(), 3u);
    EXPECT_EQ(doc.SurveyZone(), 9);
    EXPECT_EQ(doc.SurveyGeneration(), generation);
}

TEST_F(SurveyDocument, ConfirmedZoneNineTitlesTheDocumentAndSizesTheView) {
    Survey(dir.Path(), 9);
    ASSERT_EQ(doc.Survey().size(), 3u);
    EXPECT_EQ(doc.Survey()[0].path, dir / "A.TQB");
    EXPECT_EQ(doc.Survey()[1].name, "\x93\x8c\x8b\x9e");
    ZonePresence offered{};
    offered[7] = offered[9] = 1;
    EXPECT_EQ(ui.zoneOffers, std::vector<ZonePresence>{offered});

    EXPECT_EQ(doc.SurveyZone(), 9);
    EXPECT_EQ(doc.TitleText(), "\x91\xe6\x39\x8c\x6e");
    EXPECT_EQ(doc.Title(), "第9系");
    EXPECT_TRUE(doc.SurveyMapAvailable());
    EXPECT_FALSE(doc.SheetAvailable());
    EXPECT_EQ(doc.SurveyMap(), *BuiltInZoneMap(9));
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"choose folder", "zone dialog", "title 第9系",
                                                  "extent 490x720"}));
    // b.tqb at (0, 0) covers pixels 260..263; A.TQB at (-2000, 0) ends just before.
    EXPECT_EQ(doc.HitTestSurvey(260, 457), 1u);
    EXPECT_EQ(doc.HitTestSurvey(259, 457), 0u);
    EXPECT_FALSE(doc.HitTestSurvey(264, 457));
}

TEST_F(SurveyDocument, ZoneWithoutBuiltInMapGetsAMapFittedToItsSheets) {
    Survey(dir.Path(), 7);
    const ZoneMap map = doc.SurveyMap();
    // One sheet of 2,000 m by 1,500 m: 560 pixels for its 1,500 m.
    EXPECT_EQ(map.Extent(), (MapExtent{787, 600}));
    EXPECT_EQ(ui.calls.back(), "extent 787x600");
    EXPECT_EQ(doc.Title(), "第7系");
    const PixelRect rect = SurveyEntryRect(doc.Survey()[2].area, map);
    EXPECT_EQ(rect, (PixelRect{20, 20, 767, 580}));
    EXPECT_EQ(doc.HitTestSurvey(rect.left, rect.top), 2u);
}

TEST_F(SurveyDocument, ListReplacedUnderAFittedMapRefitsItEvenWhenTheZoneIsCancelled) {
    Survey(dir.Path(), 7);
    const auto far = dir / "far";
    std::filesystem::create_directory(far);
    ASSERT_TRUE(StandardSheet(-90000, 120000, 7).WriteTo(far / "x.tqb"));
    ASSERT_TRUE(StandardSheet(-88000, 120000, 7).WriteTo(far / "y.tqb"));
    Survey(far, std::nullopt);
    EXPECT_EQ(doc.SurveyZone(), 7);
    // Two sheets side by side, 4,000 m wide: 760 pixels for them.
    EXPECT_EQ(doc.SurveyMap().Extent(), (MapExtent{800, 360}));
    EXPECT_EQ(ui.calls[1], "extent 800x360");  // before the zone dialog opens
    EXPECT_EQ(SurveyEntryRect(doc.Survey()[0].area, doc.SurveyMap()),
              (PixelRect{20, 37, 400, 322}));
    EXPECT_EQ(doc.HitTestSurvey(400, 100), 1u);
}

TEST_F(SurveyDocument, NoMatchShowsTheMessageAndKeepsThePreviousSurvey) {
    Survey(dir.Path(), 9);
    const std::uint64_t generation = doc.SurveyGeneration();
    Survey(dir / "empty", 6);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kNoSheetFiles);
    EXPECT_EQ(ui.messages[0].caption, "ｴﾗｰ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ui.calls.size(), 2u);  // the chooser and the message: no dialog
    EXPECT_EQ(doc.Survey().size(), 3u);
    EXPECT_EQ(doc.SurveyZone(), 9);
    EXPECT_EQ(doc.Title(), "第9系");
    EXPECT_EQ(doc.SurveyGeneration(), generation);
}

TEST_F(SurveyDocument, MatchesWithoutAnyAreaEmptyTheListAndOfferNoZone) {
    Survey(dir.Path(), 9);
    test::TempDir odd;
    std::filesystem::create_directory(odd / "folder.tqb");
    test::SheetBuilder noArea;
    noArea.Name("x").Image();
    ASSERT_TRUE(noArea.WriteTo(odd / "no-area.tqb"));
    Survey(odd.Path(), std::nullopt);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(doc.Survey().empty());
    EXPECT_EQ(ui.zoneOffers.back(), ZonePresence{});
    EXPECT_EQ(doc.SurveyZone(), 9);
}

TEST_F(SurveyDocument, CancelledZoneDialogKeepsTheNewListButNotTheZoneOrTitle) {
    Survey(dir.Path(), 9);
    test::TempDir other;
    ASSERT_TRUE(StandardSheet(3000, 2000, 6).WriteTo(other / "x.tqb"));
    const std::uint64_t generation = doc.SurveyGeneration();
    Survey(other.Path(), std::nullopt);
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"choose folder", "zone dialog"}));
    ASSERT_EQ(doc.Survey().size(), 1u);
    EXPECT_EQ(doc.Survey()[0].area.zone, 6);
    EXPECT_NE(doc.SurveyGeneration(), generation);
    EXPECT_EQ(doc.SurveyZone(), 9);
    EXPECT_EQ(doc.Title(), "第9系");
    EXPECT_FALSE(doc.HitTestSurvey(266, 454));  // the zone-6 sheet is not on the zone-9 map
}

TEST_F(SurveyDocument, SheetLoadedBeforeStaysLoadedBehindTheSurveyMap) {
    doc.OpenSheetFile(dir / "b.tqb");
    Survey(dir.Path(), 9);
    EXPECT_TRUE(doc.IsSheetLoaded());
    EXPECT_EQ(doc.SheetPath(), dir / "b.tqb");
    EXPECT_EQ(doc.SurveyZone(), 9);
}

TEST_F(SurveyDocument, OpeningASurveyedSheetEmptiesTheListAndLoadsIt) {
    Survey(dir.Path(), 9);
    const std::uint64_t generation = doc.SurveyGeneration();
    const std::size_t hit = doc.HitTestSurvey(260, 457).value();
    // The path handed over lies in the list that opening empties.
    doc.OpenSurveyedSheet(doc.Survey()[hit].path);
    EXPECT_TRUE(doc.Survey().empty());
    EXPECT_NE(doc.SurveyGeneration(), generation);
    EXPECT_EQ(doc.SurveyZone(), 0);
    EXPECT_TRUE(doc.IsSheetLoaded());
    EXPECT_EQ(doc.SheetPath(), dir / "b.tqb");
    EXPECT_EQ(doc.Title(), "東京");
    EXPECT_TRUE(doc.SheetAvailable());
    EXPECT_FALSE(doc.SurveyMapAvailable());
    EXPECT_FALSE(doc.HitTestSurvey(260, 457));
}

TEST_F(SurveyDocument, SurveyedSheetThatCannotBeOpenedLeavesAnUntitledDocument) {
    Survey(dir.Path(), 9);
    const std::filesystem::path path = doc.Survey()[0].path;
    std::filesystem::remove(path);
    doc.OpenSurveyedSheet(path);
    EXPECT_TRUE(doc.Survey().empty());
    EXPECT_EQ(doc.SurveyZone(), 0);
    EXPECT_FALSE(doc.IsSheetLoaded());
    EXPECT_EQ(doc.Title(), "無題");
    EXPECT_TRUE(doc.SurveyMapAvailable());
    EXPECT_FALSE(doc.SheetAvailable());
}

TEST_F(SurveyDocument, SheetWithNonUtf8FileNameIsSurveyedAndOpened) {
    test::TempDir archive;
    const std::filesystem::path path = archive.Path() / "\x93\x8c\x8b\x9e.TQB";
    ASSERT_TRUE(StandardSheet(0, 0, 9).WriteTo(path));
    Survey(archive.Path(), 9);
    ASSERT_EQ(doc.Survey().size(), 1u);
    EXPECT_EQ(doc.Survey()[0].path, path);
    doc.OpenSurveyedSheet(doc.Survey()[0].path);
    EXPECT_TRUE(doc.IsSheetLoaded());
    EXPECT_EQ(doc.SheetPath(), path);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace vesk
