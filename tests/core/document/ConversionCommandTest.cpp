// The conversion command of the document: its steps, routes, paths and messages.
#include "document/ConversionCommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "ConvertTestSupport.h"
#include "RecordingUi.h"
#include "SheetBuilder.h"
#include "TempDir.h"
#include "document/CMyVeskDoc.h"

namespace vesk {
namespace {

using test::FolderEntries;
using test::ReadFileBytes;
using ::testing::ElementsAre;

constexpr std::string_view kName = "09M0008P000100040003";
using namespace std::string_view_literals;
constexpr std::string_view kTexture = "SGI\r\n\0\x1A"sv;
const std::string kSaved =
    "建物Orvikﾌｧｲﾙを変換して\nLSS-Gﾌｧｲﾙに保存しました。\nﾌｧｲﾙ名「" + std::string(kName) + ".geo」";
const std::string kEnvironmentError =
    "「景観ｼﾐｭﾚｰﾀ」が使用しているﾌｫﾙﾀﾞが分かりません\n環境変数「KSIM_ENV」等を確認して下さい";

std::span<const std::byte> Bytes(std::string_view text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

struct Parts {
    bool buildings = true;
    bool dem = true;
    bool ortho = true;
};

class ConversionCommandTest : public ::testing::Test {
protected:
    // Sub-sheet 6 at (x, 120) of a zone-9 sheet with the parts asked for; loaded and selected.
    void LoadSubSheet(Parts parts = {}, float x = -850.0f) {
        test::SheetBuilder sheet = test::StandardSheet(-1250.0f, -180.0f);
        sheet.SubSheetArea(6, x, 120.0f);
        if (parts.buildings) {
            sheet.Building(0.0f, 12.5f, {{10, 20}, {30, 20}, {30, 40}});
        }
        if (parts.dem) {
            sheet.Dem(2, 2, 10, 5, {1, 2, 3, 4});
        }
        if (parts.ortho) {
            sheet.Ortho(Bytes(kTexture));
        }
        ASSERT_TRUE(sheet.WriteTo(sheetPath));
        doc.OpenSheetFile(sheetPath);
        doc.SelectSubSheet(6, true);
        ui.Clear();
    }

    // The simulator's home with the folders the environment route writes into.
    void SetUpEnvironment(std::string_view contents) {
        const auto file = dir / "ksim.env";
        std::ofstream(file, std::ios::binary) << "HOME_PATH=" << home.string() << ";\n" << contents;
        ksimEnv = file.string();
    }

    void Answer(bool buildings, bool terrain, bool texture, bool ctrlHeld = false) {
        ui.conversionAnswers.push_back(ConversionChoices{buildings, terrain, texture, ctrlHeld});
    }

    ConversionOutcome Run() {
        return RunConversionCommand(doc, [this](const char* name) -> std::optional<std::string> {
            lookedUp.emplace_back(name);
            return ksimEnv;
        });
    }

    test::TempDir dir;
    std::filesystem::path sheetPath = dir / "sheet.tqb";
    std::filesystem::path home = dir / "sim";
    std::optional<std::string> ksimEnv;
    std::vector<std::string> lookedUp;
    test::RecordingUi ui;
    ProgramImageSize imageSize;
    CMyVeskDoc doc{ui, imageSize};
};

TEST_F(ConversionCommandTest, AvailableOnlyWithALoadedSheetAndASelectedSubSheet) {
    EXPECT_FALSE(doc.CanConvert());
    LoadSubSheet();
    EXPECT_TRUE(doc.CanConvert());
    doc.SelectSubSheet(6, false);
    EXPECT_FALSE(doc.CanConvert());
    EXPECT_FALSE(Run().confirmed);
    EXPECT_TRUE(ui.calls.empty()) << "an unavailable command does nothing";
    doc.SelectSubSheet(24, true);
    EXPECT_TRUE(doc.CanConvert());
    doc.OpenSheetFile(dir / "missing.tqb");
    EXPECT_FALSE(doc.CanConvert());
}

TEST_F(ConversionCommandTest, DialogOffersOnlyWhatTheSubSheetHas) {
    LoadSubSheet({.buildings = false, .dem = true, .ortho = false});
    Run();
    ASSERT_EQ(ui.conversionOffers.size(), 1u);
    EXPECT_FALSE(ui.conversionOffers[0].buildings);
    EXPECT_TRUE(ui.conversionOffers[0].terrain);
    EXPECT_FALSE(ui.conversionOffers[0].texture);
}

TEST_F(ConversionCommandTest, CancelledDialogWritesAndShowsNothing) {
    LoadSubSheet();
    SetUpEnvironment("");
    const ConversionOutcome outcome = Run();
    EXPECT_FALSE(outcome.confirmed || outcome.failed);
    EXPECT_THAT(ui.calls, ElementsAre("conversion dialog"));
    EXPECT_TRUE(lookedUp.empty());
}

TEST_F(ConversionCommandTest, EnvironmentRouteWritesTheTextureBelowSgiAndTheGeometryBeside) {
    LoadSubSheet();
    std::filesystem::create_directories(home / "g" / "eo");
    std::filesystem::create_directories(home / "tex" / "sgi");
    SetUpEnvironment("FILE_PATH_GEOMETRY=g\\eo;\nFILE_PATH_TEXTURE=tex;\n");
    Answer(true, true, true);
    const ConversionOutcome outcome = Run();
    EXPECT_TRUE(outcome.confirmed);
    EXPECT_FALSE(outcome.failed);
    EXPECT_THAT(lookedUp, ElementsAre("KSIM_ENV"));
    const std::string geo = ReadFileBytes(home / "g" / "eo" / (std::string(kName) + ".geo"));
    EXPECT_TRUE(geo.starts_with("BUILD_ROOF000000=GROUP();\r\n"));
    EXPECT_TRUE(
        geo.ends_with("\r\nORT=TEXTURE(\"09M0008P000100040003.sgi\");\r\n"
                      "FACE_TEXTURE(F00,ORT);\r\nGROUP_FACE(DEM,F00);"));
    EXPECT_EQ(ReadFileBytes(home / "tex" / "sgi" / (std::string(kName) + ".sgi")), kTexture);
    EXPECT_THAT(ui.calls,
                ElementsAre("conversion dialog", "wait on", "message " + kSaved, "wait off"));
}

TEST_F(ConversionCommandTest, EnvironmentNoticesComeFirstGeometryBeforeTexture) {
    LoadSubSheet();
    std::filesystem::create_directories(home / "kdb" / "geometry");
    std::filesystem::create_directories(home / "kdb" / "texture" / "sgi");
    SetUpEnvironment("");
    Answer(true, true, true);
    EXPECT_FALSE(Run().failed);
    const std::string h = home.string();
    EXPECT_THAT(ui.MessageTexts(), ElementsAre("GEOMETRYﾌｫﾙﾀﾞの指定が分かりません\n「" + h +
                                                   "/kdb/geometry」ﾌｫﾙﾀﾞが\n指定されたものとします",
                                               "TEXTUREﾌｫﾙﾀﾞの指定が分かりません\n「" + h +
                                                   "/kdb/texture」ﾌｫﾙﾀﾞが\n指定されたものとします",
                                               kSaved));
    EXPECT_EQ(ReadFileBytes(home / "kdb" / "texture" / "sgi" / (std::string(kName) + ".sgi")),
              kTexture);
}

TEST_F(ConversionCommandTest, UnusableEnvironmentShowsTheErrorAndWritesNothing) {
    LoadSubSheet();
    Answer(true, true, true);
    const ConversionOutcome outcome = Run();
    EXPECT_TRUE(outcome.failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kEnvironmentError);
    EXPECT_EQ(ui.messages[0].caption, "ｴﾗｰ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
    EXPECT_THAT(FolderEntries(dir.Path()), ElementsAre("sheet.tqb"));
}

TEST_F(ConversionCommandTest, CtrlAtOkPutsBothFilesStraightIntoTheChosenFolder) {
    LoadSubSheet();
    const auto folder = dir / "chosen";
    std::filesystem::create_directory(folder);
    Answer(true, true, true, true);
    ui.folderAnswers.push_back(folder);
    EXPECT_FALSE(Run().failed);
    EXPECT_TRUE(lookedUp.empty()) << "the environment is not read";
    EXPECT_THAT(FolderEntries(folder),
                ElementsAre(std::string(kName) + ".geo", std::string(kName) + ".sgi"));
    EXPECT_EQ(ReadFileBytes(folder / (std::string(kName) + ".sgi")), kTexture);
    EXPECT_THAT(ui.calls, ElementsAre("conversion dialog", "choose folder",
                                      "message 「" + folder.string() + "」ﾌｫﾙﾀﾞにﾃﾞｰﾀを保存します",
                                      "wait on", "message " + kSaved, "wait off"));
    EXPECT_EQ(ui.messages[0].caption, "ﾒｯｾｰｼﾞ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
}

TEST_F(ConversionCommandTest, CancelledFolderChooserStopsSilently) {
    LoadSubSheet();
    Answer(true, true, true, true);
    const ConversionOutcome outcome = Run();
    EXPECT_FALSE(outcome.confirmed || outcome.failed);
    EXPECT_THAT(ui.calls, ElementsAre("conversion dialog", "choose folder"));
}

TEST_F(ConversionCommandTest, NothingCheckedStillFindsTheFoldersAndWritesNothing) {
    LoadSubSheet();
    SetUpEnvironment("");
    Answer(false, false, false);
    EXPECT_FALSE(Run().failed);
    EXPECT_EQ(ui.messages.size(), 2u) << "both environment notices, no completion";

    ui.Clear();
    const auto folder = dir / "chosen";
    std::filesystem::create_directory(folder);
    Answer(false, false, false, true);
    ui.folderAnswers.push_back(folder);
    EXPECT_FALSE(Run().failed);
    EXPECT_THAT(ui.MessageTexts(),
                ElementsAre("「" + folder.string() + "」ﾌｫﾙﾀﾞにﾃﾞｰﾀを保存します"));
    EXPECT_TRUE(FolderEntries(folder).empty());
}

TEST_F(ConversionCommandTest, OnlyTheTextureOfASubSheetWithoutDemWritesOnlyTheSgiSilently) {
    LoadSubSheet({.buildings = false, .dem = false, .ortho = true});
    const auto folder = dir / "chosen";
    std::filesystem::create_directory(folder);
    Answer(false, false, true, true);
    ui.folderAnswers.push_back(folder);
    EXPECT_FALSE(Run().failed);
    EXPECT_THAT(FolderEntries(folder), ElementsAre(std::string(kName) + ".sgi"));
    EXPECT_EQ(ui.messages.size(), 1u) << "only the folder notice";
}

TEST_F(ConversionCommandTest, TextureIsWrittenBeforeTheGeometryAndItsFailureDoesNotStopIt) {
    LoadSubSheet();
    std::filesystem::create_directories(home / "geo");
    std::filesystem::create_directories(home / "tex");  // without its "sgi" folder
    SetUpEnvironment("FILE_PATH_GEOMETRY=geo;\nFILE_PATH_TEXTURE=tex;\n");
    Answer(true, true, true);
    EXPECT_TRUE(Run().failed);
    const auto texture = home / "tex" / "sgi" / (std::string(kName) + ".sgi");
    EXPECT_THAT(
        ui.MessageTexts(),
        ElementsAre("「" + texture.string() + "」ﾌｧｲﾙが作成できません\n「" +
                        (home / "tex" / "sgi").string() + "」ﾌｫﾙﾀﾞ: No such file or directory",
                    kSaved));
    EXPECT_TRUE(std::filesystem::exists(home / "geo" / (std::string(kName) + ".geo")));
}

TEST_F(ConversionCommandTest, OriginJustWestOfZeroIsNamedP0000) {
    LoadSubSheet({}, -50.0f);
    const auto folder = dir / "chosen";
    std::filesystem::create_directory(folder);
    Answer(true, false, false, true);
    ui.folderAnswers.push_back(folder);
    Run();
    EXPECT_THAT(FolderEntries(folder), ElementsAre("09P0000P000100040003.geo"));
}

TEST_F(ConversionCommandTest, ChoicesForAbsentDataAreIgnored) {
    LoadSubSheet({.buildings = true, .dem = false, .ortho = false});
    const auto folder = dir / "chosen";
    std::filesystem::create_directory(folder);
    Answer(true, true, true, true);
    ui.folderAnswers.push_back(folder);
    EXPECT_FALSE(Run().failed);
    EXPECT_THAT(FolderEntries(folder), ElementsAre(std::string(kName) + ".geo"));
    EXPECT_EQ(ReadFileBytes(folder / (std::string(kName) + ".geo")).find("DEM"), std::string::npos);
}

TEST_F(ConversionCommandTest, DocumentCommandTakesKsimEnvFromTheProcessEnvironment) {
    LoadSubSheet();
    std::filesystem::create_directories(home / "geo");
    std::filesystem::create_directories(home / "tex" / "sgi");
    SetUpEnvironment("FILE_PATH_GEOMETRY=geo;\nFILE_PATH_TEXTURE=tex;\n");
    const char* saved = std::getenv("KSIM_ENV");
    const std::optional<std::string> previous =
        saved ? std::optional<std::string>(saved) : std::nullopt;
    ::setenv("KSIM_ENV", ksimEnv->c_str(), 1);
    Answer(true, true, true);
    doc.OnConvert();
    if (previous) {
        ::setenv("KSIM_ENV", previous->c_str(), 1);
    } else {
        ::unsetenv("KSIM_ENV");
    }
    EXPECT_THAT(ui.MessageTexts(), ElementsAre(kSaved));
    EXPECT_TRUE(std::filesystem::exists(home / "geo" / (std::string(kName) + ".geo")));
    EXPECT_TRUE(std::filesystem::exists(home / "tex" / "sgi" / (std::string(kName) + ".sgi")));
}

TEST_F(ConversionCommandTest, SheetFileGoneSinceTheLoadIsReportedAndNothingWritten) {
    LoadSubSheet();
    std::filesystem::remove(sheetPath);
    const auto folder = dir / "chosen";
    std::filesystem::create_directory(folder);
    Answer(true, true, true, true);
    ui.folderAnswers.push_back(folder);
    EXPECT_TRUE(Run().failed);
    EXPECT_EQ(ui.MessageTexts().back(), "建物Orvikﾌｧｲﾙが読み込めません\n(Level 1)");
    EXPECT_TRUE(FolderEntries(folder).empty());
}

TEST_F(ConversionCommandTest, SheetCutShortSinceTheLoadKeepsTheOlderFilesAndShowsNoCompletion) {
    LoadSubSheet();
    // The sheet ends with one building (48 bytes), the DEM (44) and the
    // texture (19); cut it inside the building's vertices.
    const auto size = std::filesystem::file_size(sheetPath);
    std::filesystem::resize_file(sheetPath, size - 19 - 44 - 48 + 30);
    const auto folder = dir / "chosen";
    std::filesystem::create_directory(folder);
    const auto geo = folder / (std::string(kName) + ".geo");
    const auto sgi = folder / (std::string(kName) + ".sgi");
    std::ofstream(geo, std::ios::binary) << "older geometry";
    std::ofstream(sgi, std::ios::binary) << "older texture";
    Answer(true, true, true, true);
    ui.folderAnswers.push_back(folder);
    EXPECT_TRUE(Run().failed);
    EXPECT_EQ(ReadFileBytes(geo), "older geometry");
    EXPECT_EQ(ReadFileBytes(sgi), "older texture");
    EXPECT_EQ(FolderEntries(folder).size(), 2u);
    const std::string listing =
        "建物Orvikﾌｧｲﾙのﾃﾞｰﾀが壊れているため\n次のﾃﾞｰﾀは変換しませんでした\n";
    EXPECT_THAT(ui.MessageTexts(), ElementsAre("「" + folder.string() + "」ﾌｫﾙﾀﾞにﾃﾞｰﾀを保存します",
                                               listing + "地形ﾃﾞｰﾀ(ｵﾙｿ画像)",
                                               listing + "建物ﾃﾞｰﾀ 1件\n地形ﾃﾞｰﾀ(DEM)"));
}

}  // namespace
}  // namespace vesk
