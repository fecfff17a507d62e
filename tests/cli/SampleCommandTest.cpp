#include <gtest/gtest.h>

#include <algorithm>

#include "CliRunner.h"
#include "RecordingUi.h"
#include "TempDir.h"
#include "document/CMyVeskDoc.h"

namespace vesk {
namespace {

using test::RunCli;

// Small sizes keep each run of the real binary quick.
const std::vector<std::string> kSmall = {"--buildings", "3",  "--dem",   "5x4",
                                         "--texture",   "16", "--image", "100x75"};

class SampleCommand : public ::testing::Test {
protected:
    test::CliResult Sample(std::vector<std::string> extra, bool small = true) {
        std::vector<std::string> args = {"sample", Out()};
        if (small) {
            args.insert(args.end(), kSmall.begin(), kSmall.end());
        }
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    }

    std::string Out() const { return (dir / "out.tqb").string(); }

    test::TempDir dir;
};

// The written sheet, loaded as the program's open command does by a document of its own.
struct LoadedSheet {
    explicit LoadedSheet(const std::string& path) { doc.OpenSheetFile(path); }

    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc{ui, imageSize};
};

TEST_F(SampleCommand, WritesTheSheetAsAskedAndNamesIt) {
    const auto result =
        Sample({"--zone", "6", "--origin", "-1200.5,34000", "--name", "梅田", "--seed", "42"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << result.out;
    EXPECT_NE(result.out.find(Out()), std::string::npos) << result.out;
    EXPECT_TRUE(result.err.empty()) << result.err;

    const LoadedSheet sheet(Out());
    const CMyVeskDoc& doc = sheet.doc;
    ASSERT_TRUE(doc.IsSheetLoaded());
    EXPECT_TRUE(sheet.ui.messages.empty());
    EXPECT_EQ(doc.Title(), "梅田");
    EXPECT_EQ(doc.Area().zone, 6);
    EXPECT_EQ(doc.Area().originX, -1200.5f);
    EXPECT_EQ(doc.Area().originY, 34000.0f);
    EXPECT_EQ(doc.SheetImageHeader().width, 100);
    EXPECT_EQ(doc.SheetImageHeader().height, 75);
    for (int n = 0; n < 25; ++n) {
        const SubSheetRecord record = doc.CopySubSheetRecord(n);
        EXPECT_EQ(record.buildingCount, 3);
        EXPECT_TRUE(record.hasDem && record.hasOrtho);
        EXPECT_EQ(record.zone, 6);
    }
}

TEST_F(SampleCommand, DefaultsMakeTheStandardSheet) {
    const auto result = Sample({}, false);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const LoadedSheet sheet(Out());
    const CMyVeskDoc& doc = sheet.doc;
    ASSERT_TRUE(doc.IsSheetLoaded());
    EXPECT_TRUE(sheet.ui.messages.empty());
    EXPECT_EQ(doc.Area().zone, 9);
    EXPECT_EQ(doc.Area().originX, -8000.0f);
    EXPECT_EQ(doc.SheetImageHeader().width, 500);
    EXPECT_EQ(doc.CopySubSheetRecord(24).buildingCount, 40);
    EXPECT_EQ(doc.CopySubSheetRecord(24).rect, (PixelRect{400, 300, 500, 375}));
}

TEST_F(SampleCommand, WithoutSwitchesTakeOutWhatTheyName) {
    ASSERT_EQ(Sample({"--without", "buildings", "--without", "dem", "--without", "ortho"}).exitCode,
              0);
    const LoadedSheet bare(Out());
    ASSERT_TRUE(bare.doc.IsSheetLoaded());
    EXPECT_TRUE(bare.ui.messages.empty());
    for (int n = 0; n < 25; ++n) {
        const SubSheetRecord record = bare.doc.CopySubSheetRecord(n);
        EXPECT_EQ(record.buildingCount, 0);
        EXPECT_FALSE(record.hasDem);
        EXPECT_FALSE(record.hasOrtho);
    }
    EXPECT_TRUE(bare.doc.SheetImagePixels().has_value());
    EXPECT_NE(bare.doc.Title(), "無題");

    ASSERT_EQ(Sample({"--without", "name", "--without", "image"}).exitCode, 0);
    const LoadedSheet unnamed(Out());
    ASSERT_TRUE(unnamed.doc.IsSheetLoaded());
    EXPECT_EQ(unnamed.doc.Title(), "無題");
    EXPECT_FALSE(unnamed.doc.SheetImagePixels().has_value());
    EXPECT_EQ(unnamed.doc.CopySubSheetRecord(0).buildingCount, 3);
}

TEST_F(SampleCommand, FailureToWriteExitsOneWithTheReason) {
    const std::string target = (dir / "no-such-folder" / "out.tqb").string();
    std::vector<std::string> args = {"sample", target};
    args.insert(args.end(), kSmall.begin(), kSmall.end());
    const auto result = RunCli(args);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("no-such-folder"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace vesk
