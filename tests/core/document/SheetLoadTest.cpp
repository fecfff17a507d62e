// Loading sheet files into the document: the checks, their messages in order,
// and what each chunk leaves in the sub-sheet records.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "RecordingUi.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "convert/OutputName.h"
#include "document/CMyVeskDoc.h"
#include "sheet/SheetMessages.h"

namespace vesk {
namespace {

namespace msg = sheet_messages;
using test::SheetBuilder;
using test::StandardSheet;
using Texts = std::vector<std::string>;

// A user interface that runs the load on a thread of its own, as the
// program's does, and may cancel it before it starts.
class ThreadedUi : public test::RecordingUi {
public:
    void RunSheetLoad(SheetLoad& load) override {
        if (cancelFirst) {
            load.Cancel();
        }
        std::thread([&load] { load.Run(); }).join();
    }

    bool cancelFirst = false;
};

class SheetLoad : public ::testing::Test {
protected:
    // Opens the bytes as a file, the way the open command does.
    void Open(const SheetBuilder& sheet) {
        const auto path = dir / ("sheet" + std::to_string(++files) + ".tqb");
        ASSERT_TRUE(sheet.WriteTo(path));
        doc.OpenSheetFile(path);
    }

    test::TempDir dir;
    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc{ui, imageSize};
    int files = 0;
};

TEST_F(SheetLoad, WellFormedSheetLoadsSilently) {
    SheetBuilder sheet = StandardSheet(-850.0f, 120.0f);
    sheet.SubSheetArea(0, -850.0f, 1320.0f).Building(0, 10, {{1, 2}, {3, 4}, {5, 6}});
    Open(sheet);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(doc.IsSheetLoaded());
    EXPECT_EQ(doc.Title(), "テスト");
    EXPECT_EQ(doc.DisplayExtentPixels().width, 500);
    EXPECT_EQ(doc.DisplayExtentPixels().height, 375);
    EXPECT_EQ(doc.CopySubSheetRecord(0).buildingCount, 1);
    EXPECT_EQ(doc.CopySubSheetRecord(0).zone, 9);
}

TEST_F(SheetLoad, SubSheetRectangleFollowsTheImageScaleAndRowsCountDown) {
    SheetBuilder sheet = StandardSheet(1000.0f, -2000.0f);
    sheet.SubSheetArea(7, 1400.0f, -1700.0f);
    Open(sheet);
    EXPECT_EQ(doc.CopySubSheetRecord(7).rect, (PixelRect{100, 225, 200, 300}));
}

TEST_F(SheetLoad, UnopenableFileShowsTheFileMessageAndLeavesNoSheet) {
    Open(StandardSheet(0, 0).SubSheetArea(3, 0, 0));
    doc.SelectSubSheet(3, true);
    ui.Clear();
    doc.OpenSheetFile(dir / "missing.tqb");
    EXPECT_EQ(ui.MessageTexts(), Texts{std::string(msg::kCannotOpenSheetFile.japanese)});
    EXPECT_EQ(ui.messages[0].caption, "ｴﾗｰ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(doc.IsSheetLoaded());
    EXPECT_EQ(doc.SelectedSubSheet(), -1);
    EXPECT_EQ(doc.Title(), "無題");
    EXPECT_TRUE(doc.CopySubSheetRecord(3).rect.IsEmpty());
    // The extent of the last image survives a failed open.
    EXPECT_EQ(doc.DisplayExtentPixels().width, 500);
}

TEST_F(SheetLoad, MessagesComeInTheOrderTheWalkMeetsThem) {
    SheetBuilder sheet;
    sheet.SheetArea(25000, 9, 0, 0)
        .Name("")
        .Image({.signature = "XX"})
        .SubSheetArea(0, 0, 0, 400, 301)
        .SubSheetArea(25, 0, 0)
        .SubSheetArea(-1, 0, 0);
    std::vector<std::byte> tail(19);
    sheet.ChunkClaiming(0x110001, "AREA", 20, tail);
    Open(sheet);
    EXPECT_EQ(ui.MessageTexts(), (Texts{std::string(msg::kNotScale2500.japanese),
                                        std::string(msg::kCannotReadSheetData.japanese),
                                        std::string(msg::kNotWindowsBitmap.japanese),
                                        std::string(msg::kNotSubSheetOf2500.japanese),
                                        std::string(msg::kSubSheetNumberOutOfRange.japanese),
                                        std::string(msg::kSubSheetNumberOutOfRange.japanese),
                                        std::string(msg::kCannotReadSubSheetData.japanese)}));
    EXPECT_TRUE(doc.IsSheetLoaded());
}

// Read on another thread, a sheet is taken on the document's own, which
// tells what the load met as if it had read it itself.
TEST_F(SheetLoad, LoadOnAnotherThreadTellsTheSameInTheSameOrder) {
    SheetBuilder sheet;
    sheet.SheetArea(25000, 9, 0, 0)
        .Name("\x83\x41")
        .Image({.width = 20, .height = 10})
        .SubSheetArea(0, 0, 0, 400, 301)
        .SubSheetArea(4, 1600, 0)
        .Name("");
    Open(sheet);
    ThreadedUi threaded;
    ProgramImageSize otherSize;
    CMyVeskDoc other{threaded, otherSize};
    other.OpenSheetFile(dir / "sheet1.tqb");
    EXPECT_EQ(threaded.calls, ui.calls);
    EXPECT_EQ(ui.calls[2], "title ア");
    EXPECT_EQ(ui.calls[3], "extent 20x10");
    EXPECT_TRUE(other.IsSheetLoaded());
    EXPECT_EQ(other.AcceptedSubSheets(), std::vector<int>{4});
    EXPECT_EQ(other.CopySubSheetRecord(4).rect, doc.CopySubSheetRecord(4).rect);
    ASSERT_TRUE(other.SheetImagePixels());
    EXPECT_TRUE(std::ranges::equal(*other.SheetImagePixels(), *doc.SheetImagePixels()));
}

// Cancelled, the open leaves no sheet, as a file that cannot be read does,
// and tells nothing of what the load had met.
TEST_F(SheetLoad, CancelledLoadLeavesNoSheetAndTellsNothing) {
    ThreadedUi threaded;
    CMyVeskDoc other{threaded, imageSize};
    ASSERT_TRUE(StandardSheet(0, 0).SubSheetArea(3, 0, 0).WriteTo(dir / "good.tqb"));
    other.OpenSheetFile(dir / "good.tqb");
    ASSERT_TRUE(other.SubSheetAccepted(3));
    ASSERT_TRUE(SheetBuilder().SheetArea(25000, 9, 0, 0).WriteTo(dir / "bad.tqb"));
    threaded.Clear();
    threaded.cancelFirst = true;
    other.OpenSheetFile(dir / "bad.tqb");
    EXPECT_TRUE(other.LastLoadCancelled());
    EXPECT_FALSE(other.IsSheetLoaded());
    EXPECT_FALSE(other.SheetImagePixels());
    EXPECT_FALSE(other.SubSheetAccepted(3));
    EXPECT_EQ(other.Title(), "無題");
    EXPECT_EQ(threaded.calls, (Texts{"wait on", "title 無題", "invalidate", "wait off"}));
}

TEST_F(SheetLoad, WrongScaleGivesZoneZeroButKeepsTheValues) {
    SheetBuilder sheet;
    sheet.SheetArea(25000, 9, 0, 0).Image({}).SubSheetArea(0, -50.0f, 0);
    Open(sheet);
    EXPECT_EQ(doc.Area().scale, 25000);
    EXPECT_EQ(doc.Area().zone, 9);
    EXPECT_EQ(doc.CopySubSheetRecord(0).zone, 0);
    EXPECT_EQ(MakeOutputName(doc.CopySubSheetRecord(0)), "00P0000P000000040003");
}

TEST_F(SheetLoad, WrongSheetSizeIsNotA2500Sheet) {
    for (auto [w, h] : {std::pair{2000.5f, 1500.0f}, std::pair{2000.0f, 1499.0f}}) {
        ui.Clear();
        SheetBuilder sheet;
        sheet.SheetArea(2500, 9, 0, 0, w, h);
        Open(sheet);
        EXPECT_EQ(ui.MessageTexts(), Texts{std::string(msg::kNotScale2500.japanese)});
    }
}

TEST_F(SheetLoad, NameEndsAtItsFirstNulAndAnEmptyNameReadsUntitled) {
    Open(StandardSheet(0, 0).Name(std::string_view("\x83\x41\0junk", 7)));
    EXPECT_EQ(doc.Title(), "ア");
    Open(SheetBuilder().Name(std::string_view("\0abc", 4)));
    EXPECT_EQ(doc.Title(), "無題");
}

TEST_F(SheetLoad, SheetWithoutNameKeepsThePreviousTitle) {
    Open(StandardSheet(0, 0));
    SheetBuilder unnamed;
    unnamed.SheetArea(2500, 9, 0, 0);
    Open(unnamed);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc.Title(), "テスト");
}

TEST_F(SheetLoad, NameClaimingMoreThanTheFileHoldsIsAFailedRead) {
    SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 0, 0).ChunkClaiming(0x100000, "NAME", 0xFFFFFFF0, {});
    Open(sheet);
    EXPECT_EQ(ui.MessageTexts(), Texts{std::string(msg::kCannotReadSheetData.japanese)});
    EXPECT_EQ(doc.Title(), "無題");
}

TEST_F(SheetLoad, BadBitmapIsReportedOnceAndTheWalkGoesOnAfterTheChunk) {
    SheetBuilder sheet;
    sheet.SheetArea(2500, 9, 0, 0)
        .Image({.bitCount = 8})
        .SubSheetArea(4, 0, 0)
        .Building(0, 1, {{0, 0}});
    Open(sheet);
    EXPECT_EQ(ui.MessageTexts(), Texts{std::string(msg::kNotWindowsBitmap.japanese)});
    EXPECT_FALSE(doc.SheetImagePixels());
    EXPECT_EQ(doc.CopySubSheetRecord(4).buildingCount, 1);
    EXPECT_EQ(doc.DisplayExtentPixels().width, 10);  // unchanged since construction
}

// The bitmap says how long it is; the body size may say anything.
TEST_F(SheetLoad, GoodBitmapIsReadByItsOwnSizeAndTheWalkGoesOnRightAfterIt) {
    const std::vector<std::byte> bitmap = test::MakeBitmap({.width = 20, .height = 15});
    SheetBuilder after;
    after.SubSheetArea(3, 400, 300).Building(0, 1, {{0, 0}});
    const auto whole = static_cast<std::uint32_t>(bitmap.size());
    std::vector<std::byte> body = bitmap;
    body.insert(body.end(), after.Bytes().begin(), after.Bytes().end());
    // 0, shorter than the headers, the bitmap exactly, and the bitmap with the
    // chunks after it inside the body.
    for (const std::uint32_t bodySize : {0u, 20u, whole, whole + after.Offset()}) {
        SheetBuilder sheet;
        sheet.SheetArea(2500, 9, 0, 0).ChunkClaiming(0x100000, "IDXB", bodySize, body);
        Open(sheet);
        EXPECT_TRUE(ui.messages.empty()) << bodySize;
        ASSERT_TRUE(doc.SheetImagePixels()) << bodySize;
        EXPECT_EQ(doc.SheetImagePixels()->size(), 60u * 15);
        EXPECT_EQ(doc.CopySubSheetRecord(3).buildingCount, 1) << bodySize;
        EXPECT_EQ(doc.CopySubSheetRecord(3).rect, (PixelRect{4, 9, 8, 12}));
    }
}

TEST_F(SheetLoad, WithoutItsPixelsTheBitmapIsStillCheckedAndSizesTheSheet) {
    doc.KeepSheetImagePixels(false);
    SheetBuilder sheet = StandardSheet(0, 0, 9, 640, 480);
    sheet.SubSheetArea(7, 400, 300);
    Open(sheet);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(doc.SheetImagePixels());
    EXPECT_EQ(doc.SheetImageHeader().width, 640);
    EXPECT_NE(std::find(ui.calls.begin(), ui.calls.end(), "extent 640x480"), ui.calls.end());
    EXPECT_EQ(doc.CopySubSheetRecord(7).rect, (PixelRect{128, 288, 256, 384}));

    std::vector<std::byte> cut = StandardSheet(0, 0).Bytes();
    cut.pop_back();
    for (const SheetBuilder& bad :
         {SheetBuilder().Image({.compression = 1}), SheetBuilder().Raw(cut)}) {
        ui.Clear();
        Open(bad);
        EXPECT_EQ(ui.MessageTexts(), Texts{std::string(msg::kNotWindowsBitmap.japanese)});
    }
}

TEST_F(SheetLoad, GoodImageSetsTheExtentAndFitsTheFrame) {
    Open(StandardSheet(0, 0, 9, 640, 480));
    EXPECT_NE(std::find(ui.calls.begin(), ui.calls.end(), "extent 640x480"), ui.calls.end());
    ASSERT_TRUE(doc.SheetImagePixels());
    EXPECT_EQ(doc.SheetImagePixels()->size(), 640u * 3 * 480);
}

TEST_F(SheetLoad, SheetWithoutImageUsesTheSizeOfTheImageReadBefore) {
    SheetBuilder noImage;
    noImage.SheetArea(2500, 9, 0, 0).SubSheetArea(0, 0, 1200);
    Open(noImage);
    EXPECT_TRUE(doc.CopySubSheetRecord(0).rect.IsEmpty());
    EXPECT_FALSE(doc.HitTestSubSheet(0, 0));

    Open(StandardSheet(0, 0, 9, 1000, 750));
    Open(noImage);
    EXPECT_EQ(doc.CopySubSheetRecord(0).rect, (PixelRect{0, 0, 200, 150}));
    EXPECT_FALSE(doc.SheetImagePixels());
}

TEST_F(SheetLoad, RejectedSubSheetLeavesItsDataToTheOneAcceptedBefore) {
    SheetBuilder sheet = StandardSheet(0, 0);
    sheet.SubSheetArea(2, 800, 1200).Building(0, 1, {{0, 0}});
    for (int bad : {25, -1}) {
        sheet.SubSheetArea(bad, 0, 0).Building(0, 1, {{0, 0}});
    }
    sheet.Dem(1, 1, 10, 10, {5.0f});
    const std::uint32_t orthoAt = sheet.Offset();
    sheet.Ortho({});
    Open(sheet);
    const SubSheetRecord record = doc.CopySubSheetRecord(2);
    EXPECT_EQ(record.buildingCount, 3);
    EXPECT_EQ(record.buildingPositions.size(), 3u);
    EXPECT_EQ(record.hasDem, 1);
    EXPECT_EQ(record.orthoPosition, orthoAt);
}

TEST_F(SheetLoad, DataChunksBeforeAnyAcceptedSubSheetAreIgnored) {
    SheetBuilder sheet = StandardSheet(0, 0);
    sheet.Building(0, 1, {{0, 0}}).Dem(1, 1, 1, 1, {0}).SubSheetArea(30, 0, 0).Ortho({});
    Open(sheet);
    for (int n = 0; n < kSubSheetCount; ++n) {
        const SubSheetRecord record = doc.CopySubSheetRecord(n);
        EXPECT_EQ(record.buildingCount + record.hasDem + record.hasOrtho, 0) << n;
    }
}

TEST_F(SheetLoad, RepeatedChunksReplaceOrAddAsTheirKindSays) {
    SheetBuilder sheet = StandardSheet(0, 0);
    const std::uint32_t first = sheet.Offset();
    sheet.SubSheetArea(5, 0, 0).Building(0, 1, {{0, 0}}).Dem(1, 1, 1, 1, {0});
    const std::uint32_t secondDem = sheet.Offset();
    sheet.Dem(1, 1, 1, 1, {0});
    sheet.SubSheetArea(5, 400, 600);
    const std::uint32_t laterBuilding = sheet.Offset();
    sheet.Building(0, 1, {{0, 0}});
    Open(sheet);
    const SubSheetRecord record = doc.CopySubSheetRecord(5);
    EXPECT_EQ(record.demPosition, secondDem);
    EXPECT_EQ(record.buildingPositions, (std::vector<std::uint32_t>{first + 32, laterBuilding}));
    EXPECT_EQ(record.originX, 400.0f);
}

TEST_F(SheetLoad, MisfitAreaChunksArePassedOverAsUnknown) {
    SheetBuilder sheet = StandardSheet(0, 0);
    std::vector<std::byte> body(21);
    sheet.Chunk(0x110001, "AREA", body).Chunk(0x100001, "AREA", body).Chunk(0x100002, "NAME", body);
    sheet.SubSheetArea(1, 400, 1200);
    Open(sheet);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(doc.SubSheetAccepted(1));
    EXPECT_EQ(doc.Title(), "テスト");
}

}  // namespace
}  // namespace vesk

#include <sys/stat.h>

namespace vesk {
namespace {

TEST_F(SheetLoad, FifoOrFolderIsAFileThatCannotBeOpenedNotAHang) {
    const auto fifo = dir / "pipe.tqb";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    doc.OpenSheetFile(fifo);
    doc.OpenSheetFile(dir.Path());
    EXPECT_EQ(ui.MessageTexts(), (Texts{std::string(msg::kCannotOpenSheetFile.japanese),
                                        std::string(msg::kCannotOpenSheetFile.japanese)}));
    EXPECT_FALSE(doc.IsSheetLoaded());
}

}  // namespace
}  // namespace vesk
